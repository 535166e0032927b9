#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "plugin/attributes/record_keys.h"

namespace quorvel {

// An ordered list of event texts ("frame|name|value"), one per element. The
// records keep the elements as opaque text.
using EventList = std::vector<std::string>;

// The event count a load honours whatever the text holds. A comment of 1024
// characters holds about a hundred event lines, so most records stay far below it.
// A record with more event lines is loaded whole; a corrupt or hostile "Num
// Events" (4294967295, 1e30) over a short text gives at most this many elements,
// so that a load can neither allocate gigabytes nor take seconds, nor a save write
// billions of empty lines.
inline constexpr uint32_t kMaxEventCount = 10000;

// Every event line takes at least this many bytes of the comment ("Event0=" and a
// line break), which bounds how many lines a text can hold.
inline constexpr size_t kShortestEventLine = 8;

// Loads the event block: `countText` is the value of "Num Events" as looked up.
// Element i is the value of key "Event<i>" in `text` (empty when that key does not
// occur). `events` receives `count` elements, `count` being what `countText` reads
// as, taken as an unsigned 32-bit number, bounded by the larger of kMaxEventCount
// and 1 + the highest index whose key occurs in `text`. Only indices below
// text.size() / kShortestEventLine are looked for past kMaxEventCount: a text
// cannot hold the lines of a longer list.
// The elements `events` holds are filled again in place, keeping their room, unless
// `text` views one of them: loading block after block into one list (a record
// reused joint after joint) allocates only for a longer block or value.
void LoadEventBlock(std::string_view text, std::string_view countText, EventList& events);

// The counting and finding of LoadEventBlock without the loading: returns the
// number of elements LoadEventBlock makes of `text` and `countText`, and leaves in
// `keyEnds` (at least that many entries) where the key of each element ends in
// `text` (npos when it does not occur; see ValueAfterKey and RawValueAfterKey).
size_t FindEventBlock(std::string_view text, std::string_view countText,
                      std::vector<size_t>& keyEnds);

// Whether an event key begins at `at` in `text`.
inline bool EventKeyAt(std::string_view text, size_t at) {
  // A compare of fixed length, which the compiler does in place: this is asked once
  // an event line.
  const size_t digit = at + kEventKeyWord.size();
  return at < text.size() && digit < text.size() &&
         std::memcmp(text.data() + at, kEventKeyWord.data(), kEventKeyWord.size()) == 0 &&
         text[digit] >= '0' && text[digit] <= '9';
}

// Where the next event key begins in `text`, at or after `from`; npos when there is
// none. With the other fast scanning, in comment_scan.cc.
size_t FindEventKey(std::string_view text, size_t from);

// Calls visit(index, keyEnd) for each index below `count` that the key at `at`
// stands for, shortest first, with where that key ends in `text`. Stops, and returns
// false, when visit returns false.
template <class Visit>
bool ForEachIndexOfKey(std::string_view text, size_t at, uint64_t count, Visit visit) {
  uint64_t index = 0;
  for (size_t q = at + kEventKeyWord.size(); q < text.size() && text[q] >= '0' && text[q] <= '9';
       ++q) {
    index = index * 10 + static_cast<uint64_t>(text[q] - '0');
    if (index >= count) {
      break;  // more digits only make the index larger
    }
    if (!visit(index, q + 1)) {
      return false;
    }
    if (index == 0) {
      break;  // "Event0" is the only key that begins with "Event0"
    }
  }
  return true;
}

// Appends "Num Events=<n>\r\n" and one "Event<i>=<text>\r\n" line per element.
void SaveEventBlock(const EventList& events, std::string& out);

}  // namespace quorvel
