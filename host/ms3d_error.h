#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace quorvel::host {

// A model file that cannot be read or saved. The message is for a person: it names
// the file, the section and the byte offset, or the step of saving that failed.
class Ms3dError : public std::runtime_error {
 public:
  explicit Ms3dError(const std::string& message) : std::runtime_error(message) {}
  // With a line before the message that says what happened in a user's words, for
  // a failure whose message speaks of the file's inner layout.
  Ms3dError(const std::string& message, std::string plainLine)
      : std::runtime_error(message), plainLine_(std::move(plainLine)) {}

  // The line in a user's words; empty when the message says it plainly itself.
  const std::string& PlainLine() const { return plainLine_; }
  // What a person is told: the plain line, when there is one, and the message on a
  // line of its own.
  std::string ForPerson() const {
    return plainLine_.empty() ? std::string(what()) : plainLine_ + "\n" + what();
  }

 private:
  std::string plainLine_;
};

}  // namespace quorvel::host
