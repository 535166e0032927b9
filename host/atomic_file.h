#pragma once

#include <sys/stat.h>
#include <sys/types.h>
#include <cstddef>
#include <string>

namespace quorvel::host {

// A new version of an existing file, written beside it and put in its place in
// one step: readers of the path see either the old file whole or the new one
// whole, never a mixture, and a failure at any point leaves the old file as it was.
//
// Symbolic links are followed, so the file they point to is replaced and the link
// stays a link. Every error is an Ms3dError that begins with `displayName` and
// "not saved:", then says which step failed and why.
class AtomicFile {
 public:
  // Creates the temporary file in the target's folder.
  AtomicFile(const std::string& target, std::string displayName);
  // Removes the temporary file unless Commit succeeded.
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  void Write(const void* data, std::size_t size);

  // Gives the new file the permission bits `mode` (and, where allowed, the owner
  // of the old one), flushes it to the disk and renames it over the target.
  // Returns the status of the file now in place.
  struct stat Commit(mode_t mode, uid_t owner, gid_t group);

  const std::string& temporaryPath() const { return temporaryPath_; }

 private:
  [[noreturn]] void Fail(const std::string& step, int error) const;

  std::string displayName_;
  std::string target_;
  std::string temporaryPath_;
  int fd_ = -1;
  bool committed_ = false;
};

}  // namespace quorvel::host
