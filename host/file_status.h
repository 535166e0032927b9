#pragma once

#include <cstdint>
#include <string>

namespace quorvel::host {

// What the host library needs to know of a file on disk, in the same terms on every
// platform. Descriptors are the C runtime's: on Windows each one stands for a file
// handle of the system's own.
struct FileStatus {
  // Which file it is: the device and inode number, or the volume serial number and
  // the file index.
  std::uint64_t volume = 0;
  std::uint64_t index = 0;
  std::uint64_t size = 0;
  // The last write, and the last change of the file's status where the system keeps
  // one (0 elsewhere), in the system's finest unit.
  std::int64_t modified = 0;
  std::int64_t changed = 0;
  // How many names (hard links) the file has.
  std::uint64_t links = 1;
  bool regular = false;
  bool folder = false;
  // Nobody may write it: no write permission bit, or the read-only attribute.
  bool readOnly = false;
  // The permission bits (07777), and the owner and group, where the system has
  // them; 0 elsewhere.
  std::uint32_t permissions = 0;
  std::uint32_t owner = 0;
  std::uint32_t group = 0;
};

// Whether two statuses are of one and the same file.
inline bool SameFile(const FileStatus& a, const FileStatus& b) {
  return a.volume == b.volume && a.index == b.index;
}

// The status of the file open as `fd`, or of the file `path` names (links followed).
// False, with errno set, when it cannot be read.
bool StatusOf(int fd, FileStatus& status);
bool StatusOfPath(const std::string& path, FileStatus& status);

// Opens whatever `path` names only to read its status: never waits for a writer
// and never changes it. -1, with errno set (ENOENT when nothing has the name), when
// it cannot be opened.
int OpenToInspect(const std::string& path);

// Whether this user may write the file `path` names; false with errno set when not.
bool UserMayWrite(const std::string& path);

}  // namespace quorvel::host
