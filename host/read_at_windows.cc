#include <algorithm>
#include <cerrno>

#include "host/read_at.h"
#include "host/windows_system.h"

namespace quorvel::host {

std::int64_t ReadAt(int fd, void* into, std::size_t count, std::uint64_t offset) {
  const HANDLE handle = HandleOf(fd);
  if (handle == INVALID_HANDLE_VALUE) {
    errno = EBADF;
    return -1;
  }
  // The offset goes with the read; a synchronous handle's position moves as well,
  // which nothing here relies on.
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(offset);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  const DWORD want = static_cast<DWORD>(std::min<std::size_t>(count, 1u << 30));
  DWORD got = 0;
  if (!ReadFile(handle, into, want, &got, &at)) {
    if (GetLastError() == ERROR_HANDLE_EOF) {
      return 0;
    }
    TakeLastError();
    return -1;
  }
  return got;
}

}  // namespace quorvel::host
