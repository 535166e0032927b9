#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "host/file_status.h"

namespace quorvel::host {
namespace {

std::int64_t Nanoseconds(const timespec& time) {
  return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

FileStatus StatusFrom(const struct stat& status) {
  FileStatus file;
  file.volume = static_cast<std::uint64_t>(status.st_dev);
  file.index = static_cast<std::uint64_t>(status.st_ino);
  file.size = static_cast<std::uint64_t>(status.st_size);
  file.modified = Nanoseconds(status.st_mtim);
  file.changed = Nanoseconds(status.st_ctim);
  file.links = static_cast<std::uint64_t>(status.st_nlink);
  file.regular = S_ISREG(status.st_mode);
  file.folder = S_ISDIR(status.st_mode);
  file.readOnly = (status.st_mode & 0222) == 0;
  file.permissions = status.st_mode & 07777;
  file.owner = status.st_uid;
  file.group = status.st_gid;
  return file;
}

}  // namespace

bool StatusOf(int fd, FileStatus& status) {
  struct stat native {};
  if (fstat(fd, &native) != 0) {
    return false;
  }
  status = StatusFrom(native);
  return true;
}

bool StatusOfPath(const std::string& path, FileStatus& status) {
  struct stat native {};
  if (stat(path.c_str(), &native) != 0) {
    return false;
  }
  status = StatusFrom(native);
  return true;
}

int OpenToInspect(const std::string& path) {
  // Without blocking, so that a FIFO is not waited on.
  return open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
}

bool UserMayWrite(const std::string& path) {
  return access(path.c_str(), W_OK) == 0;
}

}  // namespace quorvel::host
