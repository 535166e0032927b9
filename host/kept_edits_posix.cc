#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

#include "host/kept_edits.h"
#include "host/unique_fd.h"

namespace quorvel::host {

int MoveToNewName(const std::string& from, const std::string& to) {
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
    return 0;
  }
  if (errno != EINVAL && errno != ENOSYS) {
    return errno;
  }
  // A file system without the no-replace rename: a new link fails on an existing
  // name just the same.
  if (link(from.c_str(), to.c_str()) != 0) {
    return errno;
  }
  unlink(from.c_str());
  return 0;
}

int WriteNewFile(const std::string& path, const std::string& text, std::uint32_t permissions) {
  const auto mode = static_cast<mode_t>(permissions & 0777);
  // The mask can only narrow the mode given at creation; the bits asked for are set
  // afterwards, so the file is never more open than asked at any moment.
  UniqueFd file(open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
  if (file.get() < 0) {
    return errno;
  }
  if (fchmod(file.get(), mode) != 0) {
    const int error = errno;
    unlink(path.c_str());
    return error == EEXIST ? EIO : error;
  }
  const char* next = text.data();
  std::size_t left = text.size();
  while (left > 0) {
    ssize_t written = write(file.get(), next, left);
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written <= 0) {
      int error = written < 0 ? errno : ENOSPC;
      unlink(path.c_str());
      return error == EEXIST ? EIO : error;
    }
    next += written;
    left -= static_cast<std::size_t>(written);
  }
  if (fsync(file.get()) != 0) {
    int error = errno;
    unlink(path.c_str());
    return error == EEXIST ? EIO : error;
  }
  return 0;
}

}  // namespace quorvel::host
