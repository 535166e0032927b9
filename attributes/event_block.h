#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// An ordered list of event texts ("frame|name|value"), one per element. The
// records keep the elements as opaque text.
using EventList = std::vector<std::string>;

// The largest event count a load honours. A comment of 1024 characters holds
// about a hundred event lines, so genuine records stay far below it; a corrupt or
// hostile "Num Events" (4294967295, 1e30) is cut to this many elements so that a
// load can neither allocate gigabytes nor take seconds.
inline constexpr uint32_t kMaxEventCount = 10000;

// Loads the event block: `countText` is the value of "Num Events" as looked up.
// `events` receives exactly min(count, kMaxEventCount) elements, element i being
// the value of key "Event<i>" in `text` (empty when that key does not occur).
void LoadEventBlock(std::string_view text, std::string_view countText, EventList& events);

// Appends "Num Events=<n>\r\n" and one "Event<i>=<text>\r\n" line per element.
void SaveEventBlock(const EventList& events, std::string& out);

}  // namespace quorvel
