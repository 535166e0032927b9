#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel::app {

// Model texts are 8-bit. Shown to a person or written as JSON, each byte stands for
// the code point of the same number (0x80 to 0xFF become U+0080 to U+00FF), so the
// output is valid UTF-8 and maps back to the bytes exactly.
std::string Latin1ToUtf8(std::string_view bytes);

// The way back, for text typed on a command line (UTF-8 on this system): the bytes
// when `text` is valid UTF-8 and every character is U+00FF or below; nothing when it
// is not, and such text cannot name anything in a model.
std::optional<std::string> Utf8ToLatin1(std::string_view text);

// Text from outside the model (a path, an argument) made fit to show or to write as
// JSON: valid UTF-8 as it stands, anything else byte by byte as above.
std::string ShownText(std::string_view text);

// The room WriteJsonString needs for `size` bytes: six characters (\u00XX) for each
// byte and the quotes, plus slack for its fixed eight-character copies.
constexpr std::size_t JsonStringCapacity(std::size_t size) {
  return 6 * size + 2 + 8;
}

// Writes `bytes` at `to` as one JSON string, quotes included, by the same mapping:
// '"' and '\\' are escaped, CR, LF, tab, backspace and form feed take their short
// escapes, other control characters \u00XX. There must be room for
// JsonStringCapacity(bytes.size()) characters; returns the end of what was written.
// Dumps write tens of megabytes of comments, so this writes through a plain pointer
// without a branch per byte.
char* WriteJsonString(char* to, std::string_view bytes);

// The same, appended to `out`.
void AppendJsonString(std::string& out, std::string_view bytes);

}  // namespace quorvel::app
