// Feeds arbitrary bytes to the event text and the event order: each line of the
// input is an event text, the last one the event added.
// - Inserting gives exactly the order that appending and sorting gives, ties
//   included, into the list as it stands and into the list sorted first.
// - A sort orders by frame, then by the length of the rest, and keeps every event.
// - An event text whose name is in a catalogue, split into its fields and composed
//   again, splits into the same fields; a split from a view of the fields' own value
//   gives what a split from a copy gives.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "plugin/attributes/event_block.h"
#include "plugin/events/event_catalogue.h"
#include "plugin/events/event_insert.h"
#include "plugin/events/event_order.h"
#include "plugin/events/event_text.h"

namespace {

using namespace quorvel;

// The exchange sort is quadratic; a real list holds some tens of events.
constexpr std::size_t kMostEvents = 300;

[[noreturn]] void Fail() {
  __builtin_trap();
}

void CheckInsert(const EventList& events, const std::string& added) {
  EventList appended = events;
  appended.push_back(added);
  SortEvents(appended);
  EventList inserted = events;
  InsertEvent(inserted, added);
  if (inserted != appended) {
    Fail();
  }
}

void CheckSorted(const EventList& before, const EventList& sorted) {
  for (std::size_t i = 1; i < sorted.size(); ++i) {
    const std::uint32_t a = sortKey(sorted[i - 1]);
    const std::uint32_t b = sortKey(sorted[i]);
    if (a > b || (a == b && restLength(sorted[i - 1]) > restLength(sorted[i]))) {
      Fail();
    }
  }
  if (!std::is_permutation(before.begin(), before.end(), sorted.begin(), sorted.end())) {
    Fail();
  }
}

void CheckSplitAndCompose(const std::string& text, const EventCatalogue& catalogue) {
  EventFields fields;
  SplitEventText(text, catalogue, fields);

  EventFields aliased;
  aliased.value = text;
  SplitEventText(aliased.value, catalogue, aliased);
  if (!(aliased == fields)) {
    Fail();
  }

  if (fields.eventIndex < 0) {
    return;
  }
  std::string composed = "kept when nothing is composed";
  ComposeEventText(fields, catalogue, composed);
  EventFields again;
  SplitEventText(composed, catalogue, again);
  if (!(again == fields)) {
    Fail();
  }
  // Composing over the text the value views.
  EventFields overOwn = fields;
  ComposeEventText(overOwn, catalogue, overOwn.value);
  if (overOwn.value != composed) {
    Fail();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const EventCatalogue modelLevel = [] {
    EventCatalogue catalogue;
    BuildCatalogue(catalogue, true);
    return catalogue;
  }();
  static const EventCatalogue jointLevel = [] {
    EventCatalogue catalogue;
    BuildCatalogue(catalogue, false);
    return catalogue;
  }();

  const std::string_view text(reinterpret_cast<const char*>(data), size);
  EventList events;
  std::size_t start = 0;
  while (start <= text.size() && events.size() <= kMostEvents) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) {
      end = text.size();
    }
    events.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  const std::string added = events.back();
  events.pop_back();

  for (const std::string& event : events) {
    CheckSplitAndCompose(event, modelLevel);
    CheckSplitAndCompose(event, jointLevel);
  }
  CheckSplitAndCompose(added, jointLevel);

  CheckInsert(events, added);
  EventList sorted = events;
  SortEvents(sorted);
  CheckSorted(events, sorted);
  CheckInsert(sorted, added);
  return 0;
}
