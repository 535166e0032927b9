#pragma once

#include <string>

#include "tests/support/ms3d_fixture.h"

namespace quorvel::testing {

// What a run of the quorvel program left: its exit status (-1 when it did not
// exit normally), its output and its error text.
struct CommandResult {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs the built quorvel program as a user runs it: a separate process with no
// input, `arguments` after the program's name and `environment` (variable
// assignments or an `env ...` prefix) before it. Its output and error text pass
// through the files "stdout" and "stderr" in `folder`.
CommandResult RunQuorvel(const TempFolder& folder, const std::string& arguments,
                         const std::string& environment = "");

}  // namespace quorvel::testing
