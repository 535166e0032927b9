#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "plugin/attributes/event_block.h"
#include "plugin/events/event_catalogue.h"

namespace quorvel {

// The fields of one event as the Event Attributes dialog holds them.
struct EventFields {
  uint32_t frame = 1;
  int32_t eventIndex = -1;  // position in the catalogue; -1 means none chosen
  std::string value;

  bool operator==(const EventFields&) const = default;
};

// Writes "frame|name|value" over `destination`, name being the catalogue entry at
// `fields.eventIndex`. When that index names no entry (negative or past the end)
// `destination` keeps what it held.
void ComposeEventText(const EventFields& fields, const EventCatalogue& catalogue,
                      std::string& destination);

// Reads an event text into `fields`. The frame text lies before the first "|", the
// value after the last "|", the event name in between. A text with a single "|"
// has frame text and event name and an empty value; a text without "|" is all
// frame text, with an empty value. `eventIndex` becomes the position of the first
// entry whose name equals the event name exactly; when none does it keeps its
// value. An empty source changes nothing.
void SplitEventText(std::string_view source, const EventCatalogue& catalogue, EventFields& fields);

}  // namespace quorvel
