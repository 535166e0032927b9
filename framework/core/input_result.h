// What became of one action of the user (see ModalWindow's User* calls).
#pragma once

#include <string>
#include <utility>

namespace quorvel::ui {

// The framework refuses actions that the real control would not let through (typing
// a letter into a digits-only edit, picking an item that does not exist, ...). A
// scripted backend turns a refusal into a script failure; a backend with real
// widgets never sees one, since its widgets prevent the action.
struct InputResult {
  bool accepted = true;
  std::string reason;  // why it was refused, e.g. "edit 11009 takes digits only"

  static InputResult Accepted() { return {}; }
  static InputResult Refused(std::string why) { return {false, std::move(why)}; }
  explicit operator bool() const { return accepted; }
};

}  // namespace quorvel::ui
