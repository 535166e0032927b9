#pragma once

#include <functional>
#include <optional>
#include <string>

#include "host/unique_fd.h"

namespace quorvel::app {

// An advisory lock on a model file, held for a whole `quorvel edit`: a second edit
// of the same file cannot start until the first has ended. It is a flock(2) lock,
// which belongs to the open file rather than to the process's other descriptors of
// the file, works between processes, and is released by the kernel when the
// holder ends, however it ends. Programs that do not take it are not held back;
// the save's own checks catch what they change. On Windows it is a LockFileEx lock
// on a byte far past the end of the file, which holds off other quorvel edits and
// leaves the model's own bytes free to read.
class ModelLock {
 public:
  // Locks the file `path` names. When another process holds the lock, throws
  // CommandError (kExitFileError) naming the holder, or with `wait` waits for it,
  // saying so on standard error. A path that cannot be opened, or that is not a
  // regular file, is not locked; opening the model then says what is wrong.
  static ModelLock Take(const std::string& path, bool wait);

  bool Held() const { return file_.get() >= 0; }

 private:
  explicit ModelLock(host::UniqueFd file) : file_(std::move(file)) {}
  host::UniqueFd file_;
};

// What an edit does when `holder` (as LockHolder names it) has the lock of `path`:
// without `wait` throws CommandError (kExitFileError) naming the holder; with it,
// says on standard error that it waits, and returns.
void WaitForHolderOrRefuse(const std::string& path, const std::string& holder, bool wait);

// Who holds a flock lock on the file open as `fd`, as "process PID (NAME)", from
// the kernel's list of locks; "another process" when that cannot be told.
std::string LockHolder(int fd);
// The same, but an empty text when no holder is listed (POSIX only, as the next).
std::string ListedLockHolder(int fd);

// After the lock on the file open as `fd` was refused: the holder as `lookUp` names
// it, looked for again for a short while when it is not found at first; or nullopt
// when the lock was free meanwhile and is now held through `fd`. "another process"
// when the holder stays unknown.
std::optional<std::string> HolderOrLock(int fd, const std::function<std::string(int)>& lookUp);

}  // namespace quorvel::app
