#pragma once

#include <string>
#include <string_view>

namespace quorvel::app {

// Model texts are 8-bit. Shown to a person or written as JSON, each byte stands for
// the code point of the same number (0x80 to 0xFF become U+0080 to U+00FF), so the
// output is valid UTF-8 and maps back to the bytes exactly.
std::string Latin1ToUtf8(std::string_view bytes);

}  // namespace quorvel::app
