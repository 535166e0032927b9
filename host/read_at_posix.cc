#include <unistd.h>
#include <cerrno>

#include "host/read_at.h"

namespace quorvel::host {

std::int64_t ReadAt(int fd, void* into, std::size_t count, std::uint64_t offset) {
  ssize_t got = 0;
  do {
    got = pread(fd, into, count, static_cast<off_t>(offset));
  } while (got < 0 && errno == EINTR);
  return got;
}

}  // namespace quorvel::host
