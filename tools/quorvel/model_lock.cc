// What taking the model's lock does alike on every system (model_lock_posix.cc,
// model_lock_windows.cc).
#include "tools/quorvel/model_lock.h"

#include <iostream>

#include "tools/quorvel/command_error.h"

namespace quorvel::app {

void WaitForHolderOrRefuse(const std::string& path, const std::string& holder, bool wait) {
  if (!wait) {
    throw CommandError(kExitFileError,
                       path + ": " + holder +
                           " is editing this file; nothing was changed. Try again when it "
                           "has finished, or add --wait-lock to wait for it");
  }
  std::cerr << path << ": waiting for " << holder << ", which is editing this file\n";
}

}  // namespace quorvel::app
