#include "host/held_bytes.h"

#include <sys/mman.h>
#include <unistd.h>
#include <new>

namespace quorvel::host {

HeldBytes::HeldBytes(std::size_t capacity) {
  if (capacity == 0) {
    return;
  }
  mapped_ = capacity;
  void* room = mmap(nullptr, mapped_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (room == MAP_FAILED) {
    throw std::bad_alloc();
  }
  data_ = static_cast<char*>(room);
#ifdef MADV_HUGEPAGE
  // Only advice: where large pages are not offered, small ones serve.
  madvise(room, mapped_, MADV_HUGEPAGE);
#endif
}

HeldBytes::~HeldBytes() {
  if (data_ != nullptr) {
    munmap(data_, mapped_);
  }
}

void HeldBytes::Release(std::size_t from) {
  const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  const std::size_t start = (from + page - 1) / page * page;
  if (data_ != nullptr && start < mapped_) {
    madvise(data_ + start, mapped_ - start, MADV_DONTNEED);
  }
}

}  // namespace quorvel::host
