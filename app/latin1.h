#pragma once

#include <string>
#include <string_view>

namespace quorvel::app {

// Model texts are 8-bit. Shown to a person or written as JSON, each byte stands for
// the code point of the same number (0x80 to 0xFF become U+0080 to U+00FF), so the
// output is valid UTF-8 and maps back to the bytes exactly.
std::string Latin1ToUtf8(std::string_view bytes);

// Appends `bytes` to `out` as one JSON string, quotes included, by the same mapping:
// '"' and '\\' are escaped, CR, LF, tab, backspace and form feed take their short
// escapes, other control characters \u00XX. Dumps write tens of megabytes of
// comments, so this works through runs of plain characters at a time rather than
// building a JSON value per text.
void AppendJsonString(std::string& out, std::string_view bytes);

}  // namespace quorvel::app
