// Rules for the value field of an event line, shared by the dialogs that write it.
#pragma once

#include <string>
#include <string_view>

namespace quorvel::ui {

// Characters that a value cannot hold: "|" splits the event line into fields, CR and
// LF end the comment line it is stored on. A value holding one is read back as
// something else, and the rest of the event is lost.
inline constexpr std::string_view kLineBreakers = "|\r\n";

bool BreaksEventLine(std::string_view value);

// `text` between a pair of double quotes, as quoted values are stored.
std::string QuoteValue(std::string_view text);

// A stored quoted value as the text entry shows it: without its enclosing pair of
// double quotes when it has one, otherwise as stored.
std::string_view UnquoteValue(std::string_view value);

}  // namespace quorvel::ui
