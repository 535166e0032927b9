#include "plugin/events/event_order.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "plugin/attributes/attribute_text.h"

namespace quorvel {

uint32_t sortKey(std::string_view eventText) {
  return TruncateToUInt32(TextToNumber(eventText.substr(0, eventText.find('|'))));
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
    const uint64_t frame = sortKey(events[i]);
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
