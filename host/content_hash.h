#pragma once

#include <cstddef>
#include <cstdint>

namespace quorvel::host {

// A 64-bit FNV-1a hash of a run of bytes, fed in pieces: tells whether the bytes of
// a file are still those that were read, whatever its times say.
class ContentHash {
 public:
  void Add(const void* data, std::size_t size) {
    const unsigned char* byte = static_cast<const unsigned char*>(data);
    std::uint64_t value = value_;
    for (std::size_t i = 0; i < size; ++i) {
      value = (value ^ byte[i]) * 0x100000001b3ULL;
    }
    value_ = value;
  }
  std::uint64_t value() const { return value_; }

 private:
  std::uint64_t value_ = 0xcbf29ce484222325ULL;
};

}  // namespace quorvel::host
