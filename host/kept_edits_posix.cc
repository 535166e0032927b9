#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>
#include <cerrno>

#include "host/kept_edits.h"

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

}  // namespace quorvel::host
