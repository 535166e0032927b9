#include "host/content_hash.h"

// Compiled into this file alone: the library needs no shared xxHash at run time.
#define XXH_INLINE_ALL
#include <xxhash.h>

namespace quorvel::host {

struct ContentHash::State {
  XXH3_state_t xxh;
};

ContentHash::ContentHash() : state_(std::make_unique<State>()) {
  XXH3_64bits_reset(&state_->xxh);
}

ContentHash::~ContentHash() = default;

void ContentHash::Add(const void* data, std::size_t size) {
  if (size > 0) {
    XXH3_64bits_update(&state_->xxh, data, size);
  }
}

std::uint64_t ContentHash::Value() const {
  return XXH3_64bits_digest(&state_->xxh);
}

}  // namespace quorvel::host
