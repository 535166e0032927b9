#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "host/file_status.h"
#include "host/save_signals.h"

namespace quorvel::host {

// A new version of an existing file, written beside it and put in its place in
// one step: readers of the path see either the old file whole or the new one
// whole, never a mixture, and a failure at any point leaves the old file as it was.
//
// Symbolic links are followed, so the file they point to is replaced and the link
// stays a link. The temporary file is named ".NAME.quorvel-save-XXXXXX" in the
// target's folder, and it does not outlive the object or the process: a
// terminating signal during the save removes it (see SaveSignalScope). Every error
// is an Ms3dError that begins with `displayName` and "not saved:", then says which
// step failed and why.
//
// On Windows the new file is flushed, closed and put in place by ReplaceFileW,
// which keeps the old file's attributes and access list (a new file is moved to its
// name with write-through), then opened again for reading. Should the system remove
// the old file and then fail to rename the new one, the new one is not removed: it
// is moved to the name, or kept beside it. Paths are taken in the ANSI code page.
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
  // Renames the new file over the target (or to it, when it is new) and returns the
  // status of the file now in place. The descriptor stays open for reading (see Descriptor()).
  FileStatus Commit();
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
#if defined(_WIN32)
  // Puts the new file in place after a replacing step that removed the old file
  // and stopped (see PutInPlaceOfRemoved); throws Ms3dError naming where the model
  // is when that is not the target.
  void FinishHalfwayReplace();
#endif

  SaveSignalScope signals_;
  std::string displayName_;
  std::string target_;
  std::string temporaryPath_;
  int fd_ = -1;
  bool done_ = false;
  bool newFile_ = false;  // no file had the target's name when the save began
};

}  // namespace quorvel::host
