#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "host/file_status.h"

namespace quorvel::host {

// Everything the save and the reader ask of the operating system, behind one
// interface: the real system (system_posix.cc, system_windows.cc) and, in tests, one
// that fails a chosen call on purpose. Files are named by paths in the library's own
// 8-bit form and open files by the C runtime's descriptors. A call that fails
// returns -1 (or false) with errno set, or returns the errno value itself where it
// says so; none throws.
class System {
 public:
  virtual ~System() = default;

  // The full path of `path` with symbolic links resolved; ENOENT when nothing has
  // that name (the folder may still exist).
  virtual int ResolvePath(const std::string& path, std::string& resolved) = 0;
  // A name as the file system compares names: on a system where names differ only
  // in case, in lower case; elsewhere unchanged.
  virtual std::string ComparedName(const std::string& name) = 0;
  // The names in `folder`, or nothing when it cannot be listed.
  virtual std::vector<std::string> ListFolder(const std::string& folder) = 0;

  // Creates a new file of a free name that begins with `stem` and ends in random
  // letters, open for reading and writing; -1 when none can be made.
  virtual int CreateTemporary(const std::string& stem, std::string& path) = 0;
  // Opens `path` for reading, following links, without waiting for a writer (a
  // FIFO opens, to be refused by its status). Other programs may still read, write,
  // rename and replace the file while it is open; a folder opens too (for its status).
  virtual int OpenForReading(const std::string& path) = 0;
  // Opens whatever `path` names as it is, without following a link at its end and
  // without waiting for a writer, to check it.
  virtual int OpenUnfollowed(const std::string& path) = 0;
  // See OpenToInspect (file_status.h).
  virtual int OpenToInspect(const std::string& path) = 0;
  virtual void Close(int fd) = 0;

  // Up to `count` bytes from `offset` on (0 at the end); an interrupted read is made
  // again.
  virtual std::int64_t ReadAt(int fd, void* into, std::size_t count, std::uint64_t offset) = 0;
  // Writes up to `count` bytes at the file's position; how many were written.
  virtual std::int64_t Write(int fd, const void* data, std::size_t count) = 0;
  // Flushes the file to the disk.
  virtual bool Flush(int fd) = 0;
  // Makes the names given in `folder` durable; where a system needs no such step,
  // nothing.
  virtual void FlushFolder(const std::string& folder) = 0;

  virtual bool Status(int fd, FileStatus& status) = 0;
  virtual bool StatusOfPath(const std::string& path, FileStatus& status) = 0;
  virtual bool UserMayWrite(const std::string& path) = 0;

  // The owner and group, and the permission bits, of an open file, where the
  // system keeps them (a system without them does nothing and succeeds).
  virtual bool SetOwner(int fd, std::uint32_t owner, std::uint32_t group) = 0;
  virtual bool SetPermissions(int fd, std::uint32_t permissions) = 0;
  // The permission bits a new file gets here.
  virtual std::uint32_t NewFilePermissions() = 0;
  // The names of the extended attributes of `fd`; an errno value when they cannot
  // be listed (a file system that keeps none lists none).
  virtual int ListAttributes(int fd, std::vector<std::string>& names) = 0;
  // Copies the attribute `name` of `from` to `to`; an errno value when it cannot be.
  virtual int CopyAttribute(int from, int to, const std::string& name) = 0;

  // Removes the name `path`.
  virtual bool Remove(const std::string& path) = 0;
  // See MoveToNewName (kept_edits.h): an errno value.
  virtual int MoveToNewName(const std::string& from, const std::string& to) = 0;
  // Creates the file `path`, which must not exist yet (EEXIST then, and only then),
  // open for writing, with the permission bits `permissions` (of 0777) and no others
  // at any moment, whatever the process's file-creation mask (where the system has
  // such bits; elsewhere the file gets its folder's access list).
  virtual int CreateNew(const std::string& path, std::uint32_t permissions) = 0;
  // Gives `a` the name `b` and `b` the name `a` in one step; ENOSYS (or another
  // value of ExchangeUnsupported) where the system or the file system cannot.
  virtual int Exchange(const std::string& a, const std::string& b) = 0;

  // What a replace did (see Replace).
  struct Replaced {
    int error = 0;  // an errno value, 0 when the new file is in place
    // The replace stopped halfway: the old file is no longer at the target's name,
    // and the new one still has its own.
    bool halfway = false;
    // Where the old file lies now, when it was kept: empty when it is gone.
    std::string oldAt;
  };
  // Puts the file `replacement` in the place of `target`, in one step as far as
  // readers of `target` can tell. With `keepOld`, the old file is kept under a
  // temporary name (oldAt): on POSIX the two files trade names, on Windows the
  // system's replace keeps the old one under a backup name. Without it the old file
  // is gone after a replace, except where the system moves it aside on the way
  // (Windows): then oldAt names it, for the caller to remove.
  virtual Replaced Replace(const std::string& replacement, const std::string& target,
                           bool keepOld) = 0;
  // Whether the new file must be closed while it is put in place (Windows: a rename
  // is refused for an open file), and opened again after.
  virtual bool ClosesFileToReplace() = 0;

  // Takes an exclusive lock on the open file `fd` (see the model's lock): 0, or an
  // errno value: EWOULDBLOCK when another holds it and `wait` is false; ENOLCK or
  // EOPNOTSUPP where the file system keeps no locks.
  virtual int Lock(int fd, bool wait) = 0;
};

// Whether a failure of Exchange means only that the file system (or the system)
// cannot trade two names in one step.
bool ExchangeUnsupported(int error);

// The system the library speaks to: the real one, unless a test put another in its
// place with SystemScope.
System& CurrentSystem();
// The real system of this platform.
System& RealSystem();

// Puts `system` in the place of the real one for its lifetime; for tests, on the
// thread that saves, while no save runs.
class SystemScope {
 public:
  explicit SystemScope(System& system);
  ~SystemScope();
  SystemScope(const SystemScope&) = delete;
  SystemScope& operator=(const SystemScope&) = delete;

 private:
  System* previous_;
};

}  // namespace quorvel::host
