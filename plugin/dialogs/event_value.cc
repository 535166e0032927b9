#include "plugin/dialogs/event_value.h"

namespace quorvel::ui {

bool BreaksEventLine(std::string_view value) {
  return value.find_first_of(kLineBreakers) != std::string_view::npos;
}

std::string QuoteValue(std::string_view text) {
  std::string quoted;
  quoted.reserve(text.size() + 2);
  quoted.push_back('"');
  quoted.append(text);
  quoted.push_back('"');
  return quoted;
}

std::string_view UnquoteValue(std::string_view value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace quorvel::ui
