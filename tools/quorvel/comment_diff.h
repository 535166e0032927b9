#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace quorvel::app {

// Writes a unified diff of a comment's text before and after a change to `out`,
// under "--- `name`" and "+++ `name` (applied)", with three lines of context. The
// texts are split after each LF; each line is shown with its line end, CR and LF
// written as \r and \n and every other control byte escaped (see TerminalText), so
// that a change of line ends shows. Writes nothing when the texts are equal.
void WriteCommentDiff(std::string_view before, std::string_view after, const std::string& name,
                      std::ostream& out);

}  // namespace quorvel::app
