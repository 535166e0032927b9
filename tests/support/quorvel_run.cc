#include "tests/support/quorvel_run.h"

#include <sys/wait.h>
#include <cstdlib>

namespace quorvel::testing {

CommandResult RunQuorvel(const TempFolder& folder, const std::string& arguments,
                         const std::string& environment) {
  const std::string out = folder.File("stdout");
  const std::string err = folder.File("stderr");
  const std::string command = environment + " " QUORVEL_BINARY_DIR "/bin/quorvel " + arguments +
                              " >" + out + " 2>" + err + " </dev/null";
  const int raw = std::system(command.c_str());
  CommandResult result;
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  result.out = ReadWholeFile(out);
  result.err = ReadWholeFile(err);
  return result;
}

}  // namespace quorvel::testing
