#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "tools/quorvel/interrupt_notice.h"

namespace quorvel::app {
namespace {

constexpr int kInterrupting[] = {SIGINT, SIGTERM, SIGHUP};
constexpr std::size_t kCount = sizeof(kInterrupting) / sizeof(kInterrupting[0]);

struct sigaction previousActions[kCount];
bool installed[kCount];

// What the handler writes: fixed when the scope begins.
char noticeText[1024];
std::size_t noticeLength = 0;

extern "C" void WriteNoticeAndEnd(int signal) {
  // write() may be interrupted or write less; the notice is a courtesy, and the
  // process ends either way.
  [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, noticeText, noticeLength);
  // Installed with SA_RESETHAND: the default action is back, and the signal raised
  // here ends the process when this returns.
  raise(signal);
}

}  // namespace

InterruptNotice::InterruptNotice(const std::string& notice) {
  noticeLength = std::min(notice.size(), sizeof(noticeText) - 1);
  std::memcpy(noticeText, notice.data(), noticeLength);
  noticeText[noticeLength++] = '\n';
  for (std::size_t i = 0; i < kCount; ++i) {
    installed[i] = false;
    if (sigaction(kInterrupting[i], nullptr, &previousActions[i]) != 0 ||
        previousActions[i].sa_handler == SIG_IGN) {
      continue;
    }
    struct sigaction action {};
    action.sa_handler = WriteNoticeAndEnd;
    sigemptyset(&action.sa_mask);
    for (int other : kInterrupting) {
      sigaddset(&action.sa_mask, other);
    }
    action.sa_flags = SA_RESETHAND;
    installed[i] = sigaction(kInterrupting[i], &action, nullptr) == 0;
  }
}

InterruptNotice::~InterruptNotice() {
  for (std::size_t i = 0; i < kCount; ++i) {
    if (installed[i]) {
      sigaction(kInterrupting[i], &previousActions[i], nullptr);
    }
  }
}

}  // namespace quorvel::app
