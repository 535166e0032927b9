#pragma once

#include <ostream>
#include <string>

#include "tools/timeline/colours.h"
#include "tools/timeline/layout.h"

namespace quorvel::timeline {

// The picture as an SVG document (UTF-8), titled `title`. Each event is one group
// of class "event" carrying data-row, data-index and data-frame, whose <title>
// holds the whole event text and the problems found at it (shown on hover).
std::string WriteSvg(const Layout& layout, const std::string& title);
// The same, written to `out` as it is made, a few kilobytes at a time.
void WriteSvg(const Layout& layout, const std::string& title, std::ostream& out);

}  // namespace quorvel::timeline
