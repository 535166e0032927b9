#pragma once

#include <cstddef>

namespace quorvel::host {

// One block of memory for up to `capacity` bytes of a file, filled from the front and
// never moved, so that views into it stay valid for as long as the block. Its pages
// are taken from the system as they are filled, in large pages where the system
// offers them: reading tens of megabytes into it costs few page faults.
class HeldBytes {
 public:
  // Throws std::bad_alloc when the room cannot be had.
  explicit HeldBytes(std::size_t capacity);
  ~HeldBytes();
  HeldBytes(const HeldBytes&) = delete;
  HeldBytes& operator=(const HeldBytes&) = delete;

  char* Data() const { return data_; }
  // Gives the pages wholly from `from` on back to the system; their bytes read as
  // zeros afterwards and must no longer be viewed.
  void Release(std::size_t from);

 private:
  char* data_ = nullptr;
  std::size_t mapped_ = 0;
};

}  // namespace quorvel::host
