#include <fcntl.h>
#include <cerrno>
#include <cstring>

#include "host/ms3d_error.h"
#include "host/ms3d_reader.h"

namespace quorvel::host {

UniqueFd OpenModelFileForReading(const std::string& path, FileStatus& status) {
  // Opened without blocking, so that a FIFO or a device is refused below instead of
  // waiting for a writer that never comes.
  UniqueFd file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (file.get() < 0) {
    throw Ms3dError(path + ": cannot open: " + std::strerror(errno));
  }
  StatusOfModelFile(path, file.get(), status);
  int flags = fcntl(file.get(), F_GETFL);
  if (flags == -1 || fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK) == -1) {
    throw Ms3dError(path + ": cannot read: " + std::strerror(errno));
  }
  return file;
}

}  // namespace quorvel::host
