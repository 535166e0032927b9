// The system's texts are 8-bit: names and comments as the host keeps them. Where they
// meet Unicode text (a terminal, JSON, a UI script) each byte stands for the code
// point of the same number, 0x80 to 0xFF for U+0080 to U+00FF, so that text maps to
// valid UTF-8 and back to the same bytes exactly.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel::ui {

// Each byte as the code point of its number, in UTF-8.
std::string Latin1ToUtf8(std::string_view bytes);

// The way back: the bytes when `text` is valid UTF-8 and every character is U+00FF
// or below; nothing when it is not, and such text cannot name anything in a model.
std::optional<std::string> Utf8ToLatin1(std::string_view text);

// The length of the well-formed UTF-8 character at the start of `text` (no overlong
// form, no surrogate, nothing past U+10FFFF), with its code point in `point`; 0 when
// the bytes there begin none, or `text` is empty.
std::size_t Utf8CharacterAt(std::string_view text, char32_t& point);

// Whether `text` is well-formed UTF-8 (no overlong forms, no surrogates).
bool IsUtf8(std::string_view text);

// Text from outside the model (a path, an argument) made fit to show or to write as
// JSON: valid UTF-8 as it stands, anything else byte by byte as above.
std::string ShownText(std::string_view text);

}  // namespace quorvel::ui
