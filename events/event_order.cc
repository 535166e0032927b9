#include "events/event_order.h"

#include <algorithm>
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
  // Both values depend on the element alone, so they are worked out once and
  // travel with it; the exchanges are exactly those of deriving them afresh.
  struct Keys {
    int32_t frame;
    size_t rest;
  };
  std::vector<Keys> keys;
  keys.reserve(events.size());
  for (const std::string& event : events) {
    keys.push_back({sortKey(event), restLength(event)});
  }
  const size_t n = events.size();
  for (size_t i = 0; i < n; ++i) {
    for (size_t j = 0; j < n; ++j) {
      if (j == i) {
        continue;
      }
      const Keys& a = keys[i];
      const Keys& b = keys[j];
      if (a.frame < b.frame || (a.frame == b.frame && a.rest < b.rest)) {
        std::swap(events[i], events[j]);
        std::swap(keys[i], keys[j]);
      }
    }
  }
}

}  // namespace quorvel
