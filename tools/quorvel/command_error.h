#pragma once

#include <stdexcept>
#include <string>

namespace quorvel::app {

// Exit status of the quorvel command.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitUsage = 1;         // the command line was wrong
inline constexpr int kExitFileError = 2;     // a model file could not be read or saved
inline constexpr int kExitPlugInError = 3;   // the plug-in module could not be loaded
inline constexpr int kExitScriptFailed = 4;  // edit: the UI script failed; nothing was saved
inline constexpr int kExitFileRefused = 4;   // apply: the file was refused; nothing was written
inline constexpr int kExitNoWindows = 5;     // edit: no window can be shown here
inline constexpr int kExitOutOfMemory = 7;   // memory ran out; the command stopped there

// A failure that ends the command: the message goes to standard error, the status
// is the exit status.
class CommandError : public std::runtime_error {
 public:
  CommandError(int exitStatus, const std::string& message)
      : std::runtime_error(message), exitStatus_(exitStatus) {}
  int ExitStatus() const { return exitStatus_; }

 private:
  int exitStatus_;
};

}  // namespace quorvel::app
