#include <atomic>
#include <mutex>

#include "host/save_signals.h"
#include "host/windows_system.h"

namespace quorvel::host {
namespace {

// The console's events arrive on a thread of their own; this lock keeps one from
// being handled in the middle of a step that holds it (see HeldSignals).
std::recursive_mutex& StepLock() {
  static std::recursive_mutex lock;
  return lock;
}

std::atomic<bool> installedOnce{false};
bool scopeActive = false;  // guarded by StepLock()
wchar_t trackedPath[32768];
bool tracking = false;  // guarded by StepLock()

BOOL WINAPI RemoveAndEnd(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) {
    return FALSE;
  }
  {
    const std::lock_guard<std::recursive_mutex> held(StepLock());
    if (tracking) {
      // The file is open with delete sharing: it goes when the process ends.
      DeleteFileW(trackedPath);
      tracking = false;
    }
  }
  // Not handled: the next handler, the system's, ends the process.
  return FALSE;
}

}  // namespace

void InstallSaveSignalHandlers() {
  if (!installedOnce.exchange(true)) {
    SetConsoleCtrlHandler(RemoveAndEnd, TRUE);
  }
}

bool SaveSignalHandlersInstalled() {
  return installedOnce.load();
}

SaveSignalScope::SaveSignalScope() {
  const std::lock_guard<std::recursive_mutex> held(StepLock());
  if (scopeActive) {
    return;
  }
  scopeActive = true;
  active_ = true;
  tracking = false;
}

SaveSignalScope::~SaveSignalScope() {
  if (!active_) {
    return;
  }
  const std::lock_guard<std::recursive_mutex> held(StepLock());
  tracking = false;
  scopeActive = false;
}

void SaveSignalScope::Track(const std::string& path) {
  const std::lock_guard<std::recursive_mutex> held(StepLock());
  tracking = false;
  if (!active_) {
    return;
  }
  const int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, trackedPath,
                                         static_cast<int>(sizeof trackedPath / sizeof(wchar_t)));
  tracking = length > 0;
}

void SaveSignalScope::Forget() {
  const std::lock_guard<std::recursive_mutex> held(StepLock());
  if (active_) {
    tracking = false;
  }
}

HeldSignals::HeldSignals() {
  StepLock().lock();
}

HeldSignals::~HeldSignals() {
  StepLock().unlock();
}

}  // namespace quorvel::host
