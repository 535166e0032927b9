#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "plugin/attributes/event_block.h"

namespace quorvel {

// The frame an event sorts by, as the Frame field holds it: its frame text (before
// the first "|", or the whole text when it holds no "|") read as a number and
// taken as an unsigned 32-bit number (truncated toward zero, negatives 0, 2^32 and
// more 4294967295).
uint32_t sortKey(std::string_view eventText);

// The number of characters after the first "|"; 0 when there is none.
size_t restLength(std::string_view eventText);

// Orders `events` by frame, and equal frames by the length of the rest of their
// text, in the order that the editor's exchange sort has always produced (equal
// elements do not necessarily keep their order).
void SortEvents(EventList& events);

}  // namespace quorvel
