#pragma once

#include <stdexcept>
#include <string>

namespace quorvel::host {

// A model file that cannot be read or saved. The message is for a person: it names
// the file, the section and the byte offset, or the step of saving that failed.
class Ms3dError : public std::runtime_error {
 public:
  explicit Ms3dError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace quorvel::host
