#pragma once

#include <cstddef>
#include <string>

namespace quorvel::host {

// Guards saves against the signals that end a process from outside, for a program
// that asks for it: once InstallSaveSignalHandlers has run, SIGTERM, SIGINT and
// SIGHUP first remove the file a save is writing (if one is tracked) and then end
// the process by that same signal, so an interrupted save leaves nothing behind;
// SIGXFSZ is ignored, so that a write beyond the file-size limit fails with EFBIG
// and is reported like a full disk. A signal the process ignores stays ignored. On
// Windows the same holds for the console's Ctrl+C, Ctrl+Break and close events,
// which end the process once the file is removed.
//
// How a process dies is the program's choice, never the library's: a program that
// does not call it keeps its own handling, and a save interrupted there leaves its
// temporary file, which the next edit of the model names (see
// AtomicFile::LeftOverTemporaryFiles). Call it once at start, before any thread is
// made; later calls do nothing.
void InstallSaveSignalHandlers();
// Whether the program did.
bool SaveSignalHandlersInstalled();

// The file a terminating signal removes while a save writes it. Only one scope
// tracks a file at a time in a process; a scope made while another is alive does
// nothing.
class SaveSignalScope {
 public:
  SaveSignalScope();
  ~SaveSignalScope();
  SaveSignalScope(const SaveSignalScope&) = delete;
  SaveSignalScope& operator=(const SaveSignalScope&) = delete;

  // Call with the signals held (see HeldSignals), so that no signal sees half a
  // name, on the thread that saves.
  void Track(const std::string& path);
  void Forget();

 private:
  bool active_ = false;
};

// Holds the terminating signals back on this thread for its lifetime: a step and
// its bookkeeping then happen together as far as such a signal can tell. (On
// Windows, where the console's events arrive on a thread of their own, that thread
// waits until this one lets go.) Threads started meanwhile on this thread start with
// the signals held.
class HeldSignals {
 public:
  HeldSignals();
  ~HeldSignals();
  HeldSignals(const HeldSignals&) = delete;
  HeldSignals& operator=(const HeldSignals&) = delete;

 private:
  // What the system needs to let go again (the previous signal mask on POSIX).
  alignas(8) unsigned char previous_[128] = {};
};

}  // namespace quorvel::host
