#pragma once

#include <cstddef>
#include <exception>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "host/file_status.h"
#include "host/save_signals.h"
#include "host/system.h"

namespace quorvel::host {

// A new version of an existing file, written beside it and put in its place in
// one step: readers of the path see either the old file whole or the new one
// whole, never a mixture, and a failure at any point leaves the old file as it was.
//
// Symbolic links are followed, so the file they point to is replaced and the link
// stays a link. The temporary file is named ".quorvel-save-HASH-XXXXXX" in the
// target's folder (see temporary_name.h), and it does not outlive the object or the
// process: a terminating signal during the save removes it, where the program
// installed the handlers for that (see InstallSaveSignalHandlers).
// Every error is an Ms3dError that begins with `displayName` and "not saved:", then
// says which step failed and why.
//
// The replacing step can check what it replaced (see CommitChecked): on Linux the
// two files trade names in one step (renameat2 with RENAME_EXCHANGE), so that the
// old file lies under the temporary name, where it is checked and then removed, or
// given its name back. Where the file system cannot trade names, the new file is
// renamed over the old one, and Note() says so once in the process.
//
// On Windows the new file is flushed, closed and put in place by ReplaceFileW,
// which keeps the old file's attributes and access list (a new file is moved to its
// name with write-through), then opened again for reading; the old file is kept
// under a backup name of the same form, checked there and then removed, or put
// back. Should the system move the old file aside and then fail to rename the new
// one (a replace stopped halfway), the old file is found under that backup name:
// the new one is given the name after all, or else the old one its name back; no
// file is lost. Paths are taken in the ANSI code page.
//
// Every call to the system goes through System (system.h), so that tests can make
// any of them fail.
class AtomicFile {
 public:
  // Creates the temporary file in the target's folder. With `mayBeNew`, the target
  // need not exist yet: Commit then gives the new file its name, and fails rather
  // than replace a file that appeared under that name meanwhile.
  AtomicFile(const std::string& target, std::string displayName, bool mayBeNew = false);
  // Removes the temporary file unless it was put in place or kept.
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  void Write(const void* data, std::size_t size);

  // Gives the new file the owner, group, permission bits and extended attributes
  // of the open file `original`. Returns why one of them cannot be kept (a sentence
  // for a person), or an empty text when all were. (On Windows the replacing step
  // itself keeps them.)
  std::string TakeAttributesOf(int original);
  // Gives the new file the permission bits of the file `replaced`, or with null
  // those that a new file gets here.
  void SetPermissions(const FileStatus* replaced);
  // Flushes the new file to the disk.
  void Flush();
  // Why the file that a replace took out of the target's place, open for reading
  // as `replaced`, is not the file the caller checked last; an empty text when it is.
  using ReplacedCheck = std::function<std::string(int replaced)>;
  // Runs `check` on `replaced`; a check that fails with an error (a read that
  // fails) is a reason too, so that the old file is always put back.
  static std::string CheckedSafely(const ReplacedCheck& check, int replaced) {
    try {
      return check(replaced);
    } catch (const std::exception& error) {
      return std::string("what lay at its place cannot be checked (") + error.what() + ")";
    }
  }

  // Renames the new file over the target (or to it, when it is new) and returns the
  // status of the file now in place. The descriptor stays open for reading (see Descriptor()).
  FileStatus Commit();
  // The same, checking with `check` the file it took out of the target's place.
  // When that is not the file checked (another program put a file there, or wrote
  // it, since the caller's last check), the old file is given its name back and the
  // new one its temporary name, and the reason is returned: the caller may then keep
  // the new file (KeepBeside). Returns an empty text, and `status`, when the new file
  // is in place.
  std::string CommitChecked(const ReplacedCheck& check, FileStatus& status);
  // How the last replace was made, when a person should know: where the file system
  // could not trade the two files' names, a sentence saying so, the first time in
  // the process; otherwise empty.
  const std::string& Note() const { return note_; }
  // Moves the new file to a free name beside the target instead (see
  // KeepFileBeside) and returns that name.
  std::string KeepBeside();

  // The new file, open for reading and writing; after Commit the caller may take it
  // over with ReleaseDescriptor.
  int Descriptor() const { return fd_; }
  int ReleaseDescriptor() { return std::exchange(fd_, -1); }
  // The file being replaced, with symbolic links resolved.
  const std::string& Target() const { return target_; }
  const std::string& TemporaryPath() const { return temporaryPath_; }

  // Temporary files of this kind for `target` left in its folder by saves that
  // never finished (the process was killed). Only meaningful while no save of the
  // target runs.
  static std::vector<std::string> LeftOverTemporaryFiles(const std::string& target);

 private:
  [[noreturn]] void Fail(const std::string& step, int error) const;
  // Checks the old file, which the replace left at `oldAt`, and removes it; or gives
  // it its name back, and the new file its temporary name, and returns why.
  std::string CheckOld(const ReplacedCheck& check, const std::string& oldAt);
  // Runs `check` on the file at `oldAt`, opened without following a link and never
  // waited on: why it is refused, or empty.
  std::string CheckFileAt(const ReplacedCheck& check, const std::string& oldAt);
  // Gives the old file at `oldAt` the target's name again and the new file (now at
  // the target) its temporary name: one exchange where the system can, else two moves.
  int PutBack(const std::string& oldAt);
  // After a replace that stopped halfway: the old file is at `oldAt` (or lost when
  // empty) and the new one still has its temporary name.
  std::string FinishHalfwayReplace(const ReplacedCheck& check, const std::string& oldAt, int error);

  System& system_;
  SaveSignalScope signals_;
  std::string note_;
  std::string displayName_;
  std::string target_;
  std::string temporaryPath_;
  int fd_ = -1;
  bool done_ = false;
  bool newFile_ = false;  // no file had the target's name when the save began
};

}  // namespace quorvel::host
