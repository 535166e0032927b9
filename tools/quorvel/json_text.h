#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "plugin/attributes/comment_scan.h"

namespace quorvel::app {

// Model texts are 8-bit; in JSON each byte stands for the code point of its number
// (see framework/core/latin1.h), so the output is valid UTF-8 and maps back exactly.

// The room WriteJsonString needs for `size` bytes: six characters (\u00XX) for each
// byte and the quotes, plus slack for its fixed copies of up to 32 characters.
constexpr std::size_t JsonStringCapacity(std::size_t size) {
  return 6 * size + 2 + 32;
}

// Writes `bytes` at `to` as one JSON string, quotes included, by the same mapping:
// '"' and '\\' are escaped, CR, LF, tab, backspace and form feed take their short
// escapes, other control characters \u00XX. There must be room for
// JsonStringCapacity(bytes.size()) characters; returns the end of what was written.
// Dumps write tens of megabytes of comments, so this writes through a plain pointer
// without a branch per byte.
char* WriteJsonString(char* to, std::string_view bytes);

// The same without the quotes: the characters of `bytes` inside a JSON string, so
// that a string can be written in pieces. Needs the same room.
char* WriteJsonChars(char* to, std::string_view bytes);

// How values are written inside a JSON string and for a terminal, for the comment
// scanner (plugin/attributes/comment_scan.h): as WriteJsonChars and
// WriteTerminalText write each byte, every CR left out.
const ValueCoding& JsonValueCoding();
const ValueCoding& TerminalValueCoding();

// A value as it stands in a comment, from the byte after its separator: written as
// WriteJsonChars or WriteTerminalText would write it, up to the first LF and leaving
// out every CR. Sets `read` to the number of bytes read (the LF's place, or
// bytes.size() when there is none) and `ended` to whether an LF ended the value.
// Needs the room of JsonStringCapacity(bytes.size()) or
// TerminalTextCapacity(bytes.size()). One pass, for writing tens of megabytes of
// comment values without finding each one's end first. TranscribeValue with the
// codings above.
char* WriteJsonValueChars(char* to, std::string_view bytes, std::size_t& read, bool& ended);
char* WriteTerminalValue(char* to, std::string_view bytes, std::size_t& read, bool& ended);

// The same, appended to `out`.
void AppendJsonString(std::string& out, std::string_view bytes);

// `bytes` fit for a terminal: written as in a JSON string, without the quotes, so
// that no control byte reaches the terminal (an ESC would recolour it); '"' and '\\'
// stay as they are, and DEL and the C1 controls (0x80 to 0x9F) take \u00XX too.
std::string TerminalText(std::string_view bytes);

// The room WriteTerminalText needs for `size` bytes, with the same slack.
constexpr std::size_t TerminalTextCapacity(std::size_t size) {
  return 6 * size + 32;
}

// Writes TerminalText(bytes) at `to`, which must have room for
// TerminalTextCapacity(bytes.size()) characters; returns the end of what was written.
char* WriteTerminalText(char* to, std::string_view bytes);

}  // namespace quorvel::app
