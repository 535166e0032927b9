#pragma once

#include <string>

#include "plugin/attributes/event_block.h"

namespace quorvel {

// Adds `added` to `events` and leaves them in exactly the order that appending it
// and running SortEvents over the whole list gives, ties included.
//
// When `events` are already ordered by frame and rest length (as every change in
// the Event Editor leaves them), the result is worked out in one pass instead of
// the exchange sort's quadratic one: that sort places the new event after every
// event that does not sort after it, and turns each run of events with equal keys
// by one or two places (the first of the run moves to its end) depending on where
// the run lies. Lists in any other order are sorted whole.
void InsertEvent(EventList& events, std::string added);

}  // namespace quorvel
