#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace quorvel::host {

// A 64-bit hash (XXH3) of a run of bytes, fed in pieces of any size: tells whether
// the bytes of a file are still those that were read, whatever its times say. The
// value depends only on the bytes, not on how they were cut into pieces.
class ContentHash {
 public:
  ContentHash();
  ~ContentHash();
  ContentHash(const ContentHash&) = delete;
  ContentHash& operator=(const ContentHash&) = delete;

  void Add(const void* data, std::size_t size);
  std::uint64_t Value() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace quorvel::host
