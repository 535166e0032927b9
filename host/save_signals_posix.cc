#include <pthread.h>
#include <signal.h>
#include <unistd.h>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <new>

#include "host/save_signals.h"

namespace quorvel::host {
namespace {

constexpr int kTerminating[] = {SIGTERM, SIGINT, SIGHUP};
constexpr std::size_t kCount = sizeof(kTerminating) / sizeof(kTerminating[0]);

// The state the handler reads. A signal sent to the process may be handled on any
// of its threads that does not hold it back, including threads that libraries
// start (Qt's), so it is kept in lock-free atomics, never behind a lock. The
// handler removes the tracked file only on the thread that saves, where HeldSignals
// keeps it out of a step; on another thread it sends the signal on to that thread
// and returns, and the signal is handled there once the step is over. (Blocking the
// signals in every thread the program does not own would do the same only for
// threads started while they were blocked; Qt starts some later.)
static_assert(std::atomic<int>::is_always_lock_free && std::atomic<bool>::is_always_lock_free);
std::atomic<bool> installedOnce{false};
std::atomic<int> tracking{0};  // 1 while trackedPath and savingThread are valid
char trackedPath[4096];
std::atomic<pthread_t> savingThread;
static_assert(std::atomic<pthread_t>::is_always_lock_free);
struct sigaction previousActions[kCount];
bool installed[kCount];

std::atomic<bool> scopeActive{false};

extern "C" void RemoveAndEnd(int signal) {
  const int saved = errno;
  if (tracking.load(std::memory_order_acquire) != 0) {
    const pthread_t saver = savingThread.load(std::memory_order_relaxed);
    if (!pthread_equal(pthread_self(), saver)) {
      pthread_kill(saver, signal);
      errno = saved;
      return;
    }
    unlink(trackedPath);
  }
  // As if this handler were not there: the handling from before it comes back, and
  // the signal, held while this runs, is delivered again once it returns.
  for (std::size_t i = 0; i < kCount; ++i) {
    if (kTerminating[i] == signal) {
      sigaction(signal, &previousActions[i], nullptr);
    }
  }
  raise(signal);
  errno = saved;
}

}  // namespace

void InstallSaveSignalHandlers() {
  if (installedOnce.exchange(true)) {
    return;
  }
  for (std::size_t i = 0; i < kCount; ++i) {
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
    installed[i] = sigaction(kTerminating[i], &action, nullptr) == 0;
  }
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  sigaction(SIGXFSZ, &ignore, nullptr);
}

bool SaveSignalHandlersInstalled() {
  return installedOnce.load();
}

SaveSignalScope::SaveSignalScope() {
  bool expected = false;
  active_ = scopeActive.compare_exchange_strong(expected, true);
}

SaveSignalScope::~SaveSignalScope() {
  if (active_) {
    tracking.store(0, std::memory_order_release);
    scopeActive.store(false);
  }
}

void SaveSignalScope::Track(const std::string& path) {
  if (!active_ || path.size() >= sizeof(trackedPath)) {
    return;
  }
  tracking.store(0, std::memory_order_release);
  std::memcpy(trackedPath, path.c_str(), path.size() + 1);
  savingThread.store(pthread_self(), std::memory_order_relaxed);
  tracking.store(1, std::memory_order_release);
}

void SaveSignalScope::Forget() {
  if (active_) {
    tracking.store(0, std::memory_order_release);
  }
}

HeldSignals::HeldSignals() {
  static_assert(sizeof(sigset_t) <= sizeof previous_);
  sigset_t held;
  sigemptyset(&held);
  for (int signal : kTerminating) {
    sigaddset(&held, signal);
  }
  pthread_sigmask(SIG_BLOCK, &held, new (previous_) sigset_t);
}

HeldSignals::~HeldSignals() {
  pthread_sigmask(SIG_SETMASK, std::launder(reinterpret_cast<sigset_t*>(previous_)), nullptr);
}

}  // namespace quorvel::host
