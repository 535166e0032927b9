#include "host/save_signals.h"

#include <pthread.h>
#include <unistd.h>
#include <atomic>
#include <cstring>

namespace quorvel::host {
namespace {

constexpr int kTerminating[] = {SIGTERM, SIGINT, SIGHUP};
constexpr std::size_t kCount = sizeof(kTerminating) / sizeof(kTerminating[0]);

std::atomic<bool> scopeActive{false};
struct sigaction previousActions[kCount];
struct sigaction previousFileSize;
bool installed[kCount];

// What the handler reads: a fixed buffer, valid whenever `tracking` is set.
char trackedPath[4096];
volatile sig_atomic_t tracking = 0;

extern "C" void RemoveAndEnd(int signal) {
  if (tracking != 0) {
    unlink(trackedPath);
  }
  // The handler was installed with SA_RESETHAND, so the default action is back and
  // the signal raised here is delivered, and ends the process, when this returns.
  raise(signal);
}

}  // namespace

SaveSignalScope::SaveSignalScope() {
  bool expected = false;
  if (!scopeActive.compare_exchange_strong(expected, true)) {
    return;
  }
  active_ = true;
  tracking = 0;
  for (std::size_t i = 0; i < kCount; ++i) {
    installed[i] = false;
    if (sigaction(kTerminating[i], nullptr, &previousActions[i]) != 0 ||
        previousActions[i].sa_handler == SIG_IGN) {
      continue;
    }
    struct sigaction action {};
    action.sa_handler = RemoveAndEnd;
    sigemptyset(&action.sa_mask);
    for (int other : kTerminating) {
      sigaddset(&action.sa_mask, other);
    }
    action.sa_flags = SA_RESETHAND;
    installed[i] = sigaction(kTerminating[i], &action, nullptr) == 0;
  }
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  sigaction(SIGXFSZ, &ignore, &previousFileSize);
}

SaveSignalScope::~SaveSignalScope() {
  if (!active_) {
    return;
  }
  {
    HeldSignals held;
    tracking = 0;
    for (std::size_t i = 0; i < kCount; ++i) {
      if (installed[i]) {
        sigaction(kTerminating[i], &previousActions[i], nullptr);
      }
    }
    sigaction(SIGXFSZ, &previousFileSize, nullptr);
  }
  scopeActive.store(false);
}

void SaveSignalScope::Track(const std::string& path) {
  if (!active_ || path.size() >= sizeof(trackedPath)) {
    return;
  }
  tracking = 0;
  std::atomic_signal_fence(std::memory_order_seq_cst);
  std::memcpy(trackedPath, path.c_str(), path.size() + 1);
  std::atomic_signal_fence(std::memory_order_seq_cst);
  tracking = 1;
}

void SaveSignalScope::Forget() {
  if (active_) {
    tracking = 0;
  }
}

HeldSignals::HeldSignals() {
  sigset_t held;
  sigemptyset(&held);
  for (int signal : kTerminating) {
    sigaddset(&held, signal);
  }
  pthread_sigmask(SIG_BLOCK, &held, &previous_);
}

HeldSignals::~HeldSignals() {
  pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

}  // namespace quorvel::host
