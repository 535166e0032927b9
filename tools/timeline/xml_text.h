#pragma once

#include <string>
#include <string_view>

namespace quorvel::timeline {

// Text made fit for an XML document, the one way every text enters the SVG: the
// markup characters `&`, `<`, `>` and `"` escaped, and every character XML 1.0 does
// not allow (control characters but tab and line feed, a carriage return, U+FFFE,
// U+FFFF, and bytes that are not well-formed UTF-8, such as a surrogate's form)
// shown as U+FFFD.
std::string XmlText(std::string_view utf8);

// The same, appended to `out`.
void AppendXmlText(std::string& out, std::string_view utf8);

}  // namespace quorvel::timeline
