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

// The same run of a copy of the program and its modules installed, once per test
// program, into a temporary prefix that every user may read. A run as another user
// (see `UnprivilegedUser`) needs it: the build folder may lie where only its owner
// can reach it (a clone in a home folder of mode 0700, say).
CommandResult RunInstalledQuorvel(const TempFolder& folder, const std::string& arguments,
                                  const std::string& environment = "");

// How to run a command as a user without privileges, for runs whose point is that
// permissions hold: empty when this process has none to give up, `setpriv ...` as
// root. `skip` says why no such user can be had here (then the test skips with it).
struct UnprivilegedUser {
  std::string prefix;
  std::string skip;
};
UnprivilegedUser AnUnprivilegedUser();

}  // namespace quorvel::testing
