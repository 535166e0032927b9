#include <windows.h>

#include <new>

#include "host/held_bytes.h"

namespace quorvel::host {

HeldBytes::HeldBytes(std::size_t capacity) {
  if (capacity == 0) {
    return;
  }
  mapped_ = capacity;
  void* room = VirtualAlloc(nullptr, mapped_, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  if (room == nullptr) {
    throw std::bad_alloc();
  }
  data_ = static_cast<char*>(room);
}

HeldBytes::~HeldBytes() {
  if (data_ != nullptr) {
    VirtualFree(data_, 0, MEM_RELEASE);
  }
}

void HeldBytes::Release(std::size_t from) {
  SYSTEM_INFO system{};
  GetSystemInfo(&system);
  const std::size_t page = system.dwPageSize;
  const std::size_t start = (from + page - 1) / page * page;
  if (data_ != nullptr && start < mapped_) {
    // The pages stay addressable; the system may drop what they hold.
    VirtualAlloc(data_ + start, mapped_ - start, MEM_RESET, PAGE_READWRITE);
  }
}

}  // namespace quorvel::host
