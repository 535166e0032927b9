#include "tests/support/quorvel_run.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace quorvel::testing {
namespace {

CommandResult RunProgram(const TempFolder& folder, const std::string& program,
                         const std::string& arguments, const std::string& environment) {
  const std::string out = folder.File("stdout");
  const std::string err = folder.File("stderr");
  const std::string command =
      environment + " " + program + " " + arguments + " >" + out + " 2>" + err + " </dev/null";
  const int raw = std::system(command.c_str());
  CommandResult result;
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  result.out = ReadWholeFile(out);
  result.err = ReadWholeFile(err);
  return result;
}

// The build installed into a fresh folder of mode 0755 under the system's temporary
// folder, removed when the test program ends.
class InstalledCopy {
 public:
  InstalledCopy() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "quorvel-installed-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
      throw std::runtime_error("cannot create a folder to install quorvel into: " + pattern);
    }
    prefix_ = pattern;
    chmod(prefix_.c_str(), 0755);
    const std::string command = std::string("\"" QUORVEL_CMAKE_COMMAND "\" --install \"") +
                                QUORVEL_BINARY_DIR + "\" --prefix \"" + prefix_ +
                                "\" >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) {
      throw std::runtime_error("cannot install the build into " + prefix_ + ": " + command);
    }
  }
  ~InstalledCopy() {
    std::error_code ignored;
    std::filesystem::remove_all(prefix_, ignored);
  }
  InstalledCopy(const InstalledCopy&) = delete;
  InstalledCopy& operator=(const InstalledCopy&) = delete;

  std::string Program() const { return prefix_ + "/bin/quorvel"; }

 private:
  std::string prefix_;
};

}  // namespace

CommandResult RunQuorvel(const TempFolder& folder, const std::string& arguments,
                         const std::string& environment) {
  return RunProgram(folder, QUORVEL_BINARY_DIR "/bin/quorvel", arguments, environment);
}

CommandResult RunInstalledQuorvel(const TempFolder& folder, const std::string& arguments,
                                  const std::string& environment) {
  static const InstalledCopy copy;
  return RunProgram(folder, copy.Program(), arguments, environment);
}

UnprivilegedUser AnUnprivilegedUser() {
  if (geteuid() != 0) {
    return {};
  }
  // Root gives up its privileges for the run as nobody (65534), by number, so that no
  // account of that name need exist.
  if (std::system("setpriv --reuid=65534 --regid=65534 --clear-groups true >/dev/null 2>&1") != 0) {
    return {"",
            "runs as root, and setpriv (Debian package util-linux) cannot run a command as "
            "user 65534 here"};
  }
  return {"setpriv --reuid=65534 --regid=65534 --clear-groups", ""};
}

}  // namespace quorvel::testing
