#include "plugin/events/event_insert.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <utility>
#include <vector>

#include "plugin/attributes/attribute_text.h"
#include "plugin/events/event_order.h"

namespace quorvel {
namespace {

// The key SortEvents orders by: the frame as the Frame field holds it (unsigned
// 32-bit) above the length of the rest of the text.
uint64_t OrderKey(std::string_view text) {
  const uint64_t frame = TruncateToUInt32(TextToNumber(text.substr(0, text.find('|'))));
  const uint64_t rest = std::min<uint64_t>(restLength(text), UINT32_MAX);
  return frame << 32 | rest;
}

}  // namespace

void InsertEvent(EventList& events, std::string added) {
  const size_t n = events.size();
  std::vector<uint64_t> keys(n);
  for (size_t i = 0; i < n; ++i) {
    keys[i] = OrderKey(events[i]);
  }
  if (!std::is_sorted(keys.begin(), keys.end())) {
    events.push_back(std::move(added));
    SortEvents(events);
    return;
  }
  const uint64_t addedKey = OrderKey(added);
  // The exchange sort's first pass carries each new largest key to the front; the
  // passes after it insert the elements one by one, and every insertion turns each
  // run of keys larger than the inserted one by a place. On a sorted list plus one
  // event this comes to: the run of the largest key stays as it is unless the added
  // event sorts before it (then it turns once); every other run turns once, and once
  // more when its key is larger than the added one's. An added event larger than
  // everything turns every run once.
  const bool addedIsLargest = n == 0 || addedKey > keys.back();
  for (size_t begin = 0; begin < n;) {
    const uint64_t key = keys[begin];
    size_t end = begin + 1;
    while (end < n && keys[end] == key) {
      ++end;
    }
    const bool last = end == n;
    size_t turns;
    if (addedIsLargest) {
      turns = 1;
    } else if (last) {
      turns = key > addedKey ? 1 : 0;
    } else {
      turns = key > addedKey ? 2 : 1;
    }
    const size_t size = end - begin;
    turns %= size;
    if (turns != 0) {
      std::rotate(events.begin() + static_cast<std::ptrdiff_t>(begin),
                  events.begin() + static_cast<std::ptrdiff_t>(begin + turns),
                  events.begin() + static_cast<std::ptrdiff_t>(end));
    }
    begin = end;
  }
  // After every event whose key is not larger.
  const auto position = std::upper_bound(keys.begin(), keys.end(), addedKey) - keys.begin();
  events.insert(events.begin() + position, std::move(added));
}

}  // namespace quorvel
