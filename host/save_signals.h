#pragma once

#include <signal.h>

#include <string>

namespace quorvel::host {

// Guards a save against the signals that end a process from outside. While a scope
// is alive, SIGTERM, SIGINT and SIGHUP first remove the file being written (if one
// is tracked) and then end the process by that same signal, so an interrupted save
// leaves nothing behind; SIGXFSZ is ignored, so that a write beyond the file-size
// limit fails with EFBIG and is reported like a full disk. A signal the process
// ignores stays ignored. The previous handling comes back when the scope ends.
// On Windows the same holds for the console's Ctrl+C, Ctrl+Break and close events,
// which end the process once the file is removed.
//
// Only one scope is active at a time in a process; a scope made while another is
// alive does nothing.
class SaveSignalScope {
 public:
  SaveSignalScope();
  ~SaveSignalScope();
  SaveSignalScope(const SaveSignalScope&) = delete;
  SaveSignalScope& operator=(const SaveSignalScope&) = delete;

  // The file a terminating signal removes; call with the signals held (see
  // HeldSignals), so that no signal sees half a name.
  void Track(const std::string& path);
  void Forget();

 private:
  bool active_ = false;
};

// Holds the terminating signals back on this thread for its lifetime: a step and
// its bookkeeping then happen together as far as such a signal can tell. (On
// Windows, where the console's events arrive on a thread of their own, that thread
// waits until this one lets go.)
class HeldSignals {
 public:
  HeldSignals();
  ~HeldSignals();
  HeldSignals(const HeldSignals&) = delete;
  HeldSignals& operator=(const HeldSignals&) = delete;

 private:
#ifndef _WIN32
  sigset_t previous_{};
#endif
};

}  // namespace quorvel::host
