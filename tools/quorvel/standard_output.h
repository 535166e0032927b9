#pragma once

#include <iostream>

#include "tools/quorvel/command_error.h"

namespace quorvel::app {

// Ends a subcommand's output: hands what standard output holds on, and fails the
// command (status kExitFileError) when any of it could not be written, a full disk
// or a closed pipe, instead of reporting success for output that was lost.
inline void FinishStandardOutput() {
  std::cout.flush();
  if (!std::cout) {
    throw CommandError(kExitFileError, "cannot write to standard output");
  }
}

}  // namespace quorvel::app
