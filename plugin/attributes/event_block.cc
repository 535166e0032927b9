#include "plugin/attributes/event_block.h"

#include <algorithm>
#include <bit>
#include <utility>

#include "plugin/attributes/attribute_text.h"

namespace quorvel {
namespace {

// For each index below `count`, where the first occurrence of the key
// "Event<index>" ends in `text` (npos when it does not occur).
//
// This is what LookUpAttribute would find for each key, gathered in one pass:
// every occurrence of such a key begins with "Event", and an occurrence of "Event"
// followed by the digits "123" is an occurrence of the keys "Event1", "Event12"
// and "Event123". Looking every key up on its own would scan the text once per
// event, which shows when many records are loaded.
void FindEventKeys(std::string_view text, uint32_t count, std::vector<size_t>& keyEnds) {
  keyEnds.assign(count, std::string_view::npos);
  uint32_t found = 0;
  for (size_t at = FindEventKey(text, 0); at != std::string_view::npos && found < count;
       at = FindEventKey(text, at + kEventKeyWord.size())) {
    ForEachIndexOfKey(text, at, count, [&keyEnds, &found](uint64_t index, size_t end) {
      // Without a branch: whether a key of a shorter index is met again varies from
      // digit to digit, and a guess missed for each key shows over millions of them.
      size_t& keyEnd = keyEnds[index];
      const bool first = keyEnd == std::string_view::npos;
      keyEnd = first ? end : keyEnd;
      found += first ? 1 : 0;
      return true;
    });
  }
}

// Whether `text` begins inside one of the elements.
bool ViewsAnElement(std::string_view text, const EventList& events) {
  return std::any_of(events.begin(), events.end(),
                     [text](const std::string& event) { return BeginsInside(text, event); });
}

// The key ends of one load, kept for the next: loading block after block allocates
// only for a longer one. A list of a corrupt count is not kept.
constexpr size_t kKeptKeyEnds = 1 << 16;

}  // namespace

size_t FindEventBlock(std::string_view text, std::string_view countText,
                      std::vector<size_t>& keyEnds) {
  const uint32_t stated = TruncateToUInt32(TextToNumber(countText));
  const size_t holdable = std::max<size_t>(kMaxEventCount, text.size() / kShortestEventLine);
  const auto searched = static_cast<uint32_t>(std::min<size_t>(stated, holdable));
  FindEventKeys(text, searched, keyEnds);
  // Past kMaxEventCount only as far as the last line the text holds: no line read is
  // lost, and no stated count makes empty elements beyond it.
  const auto lastFound = std::find_if(keyEnds.rbegin(), keyEnds.rend(), [](size_t keyEnd) {
    return keyEnd != std::string_view::npos;
  });
  const auto linesSpan = static_cast<size_t>(keyEnds.rend() - lastFound);
  return std::min<size_t>(searched, std::max<size_t>(kMaxEventCount, linesSpan));
}

void LoadEventBlock(std::string_view text, std::string_view countText, EventList& events) {
  thread_local std::vector<size_t> keyEnds;
  const size_t count = FindEventBlock(text, countText, keyEnds);
  // A missing line still takes its place, so indices stay as they were written.
  if (ViewsAnElement(text, events)) {
    // Filled aside, since `text` views one of the old elements.
    EventList loaded(count);
    for (size_t i = 0; i < count; ++i) {
      ValueAfterKey(text, keyEnds[i], loaded[i]);
    }
    events = std::move(loaded);
  } else {
    // In the elements there are, reusing their room.
    events.resize(count);
    for (size_t i = 0; i < count; ++i) {
      ValueAfterKey(text, keyEnds[i], events[i]);
    }
  }
  if (keyEnds.capacity() > kKeptKeyEnds) {
    keyEnds = std::vector<size_t>();
  }
}

void SaveEventBlock(const EventList& events, std::string& out) {
  size_t size = kEventCountKey.size() + 16;
  for (const std::string& event : events) {
    size += kEventKeyWord.size() + 13 + event.size();
  }
  out.reserve(out.size() + size);
  AppendAttribute(out, kEventCountKey, NumberToText(static_cast<double>(events.size())));
  std::string key(kEventKeyWord);
  for (size_t i = 0; i < events.size(); ++i) {
    key.resize(kEventKeyWord.size());
    key += NumberToText(static_cast<double>(i));
    AppendAttribute(out, key, events[i]);
  }
}

}  // namespace quorvel
