#pragma once

#include <cstddef>
#include <cstdint>

namespace quorvel::host {

// Reads up to `count` bytes of the file open as `fd`, from byte `offset` on. Returns
// how many were read (0 at the end of the file), or -1 with errno set. An interrupted
// read is made again.
std::int64_t ReadAt(int fd, void* into, std::size_t count, std::uint64_t offset);

}  // namespace quorvel::host
