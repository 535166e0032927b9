#include "tests/support/x_display.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace quorvel::testing {
namespace {

class Xvfb {
 public:
  Xvfb() { reason_ = Start(); }
  ~Xvfb() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }
  const std::string& Reason() const { return reason_; }

 private:
  std::string Start() {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
      return "no pipe for Xvfb";
    }
    pid_ = fork();
    if (pid_ == 0) {
      // Gone with the test program, however it ends.
      prctl(PR_SET_PDEATHSIG, SIGTERM);
      close(pipeFds[0]);
      const int devNull = open("/dev/null", O_RDWR);
      dup2(devNull, 0);
      dup2(devNull, 1);
      dup2(devNull, 2);
      const std::string fd = std::to_string(pipeFds[1]);
      execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten",
             "tcp", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(pipeFds[1]);
    if (pid_ < 0) {
      close(pipeFds[0]);
      return "Xvfb cannot be started";
    }
    // Xvfb writes the display's number once it accepts connections.
    std::string number;
    char c;
    while (read(pipeFds[0], &c, 1) == 1 && c != '\n') {
      number += c;
    }
    close(pipeFds[0]);
    if (number.empty()) {
      waitpid(pid_, nullptr, 0);
      pid_ = -1;
      return "no X display is set and Xvfb (Debian's xvfb) did not start";
    }
    setenv("DISPLAY", (":" + number).c_str(), 1);
    return {};
  }

  pid_t pid_ = -1;
  std::string reason_;
};

}  // namespace

std::string EnsureXDisplay() {
  const char* display = std::getenv("DISPLAY");
  if (display != nullptr && *display != '\0') {
    return {};
  }
  static const Xvfb server;
  return server.Reason();
}

}  // namespace quorvel::testing
