#include "events/event_order.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "attributes/attribute_text.h"

namespace quorvel {

int32_t sortKey(std::string_view eventText) {
  const int32_t key = TruncateToInt32(TextToNumber(eventText.substr(0, eventText.find('|'))));
  return std::max(key, 0);
}

size_t restLength(std::string_view eventText) {
  const size_t bar = eventText.find('|');
  return bar == std::string_view::npos ? 0 : eventText.size() - bar - 1;
}

void SortEvents(EventList& events) {
  // Both keys depend on the element alone, so they are worked out once and travel
  // with it; the exchanges are exactly those of deriving them afresh. Frame and
  // rest length are packed into one number that compares as the pair does, and the
  // loop exchanges small (key, position) pairs; the texts are moved once at the end.
  struct Item {
    uint64_t key;
    size_t position;
  };
  const size_t n = events.size();
  std::vector<Item> items(n);
  for (size_t i = 0; i < n; ++i) {
    // The frame as the Frame field holds it, unsigned 32-bit: sortKey's signed range
    // would put every frame from 2147483648 up at one key.
    const std::string_view text = events[i];
    const uint64_t frame = TruncateToUInt32(TextToNumber(text.substr(0, text.find('|'))));
    const uint64_t rest = std::min<uint64_t>(restLength(events[i]), UINT32_MAX);
    items[i] = {frame << 32 | rest, i};
  }
  for (size_t i = 0; i < n; ++i) {
    for (size_t j = 0; j < n; ++j) {
      if (j != i && items[i].key < items[j].key) {
        std::swap(items[i], items[j]);
      }
    }
  }
  EventList sorted;
  sorted.reserve(n);
  for (const Item& item : items) {
    sorted.push_back(std::move(events[item.position]));
  }
  events = std::move(sorted);
}

}  // namespace quorvel
