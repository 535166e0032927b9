#pragma once

#include <string_view>
#include <vector>

#include "tools/check/comment_lines.h"

namespace quorvel::check {

// Reads a follower's or a camera's record that stands as a save writes it: the
// fixed keys in their order, "Num Events" as a plain number, and event lines in
// order from Event0, each line ending in CR LF (the last may lack it), no value
// holding a CR or the text of a key, and the whole shorter than 1024 characters.
// The lines may stop short of the count, as when a comment was cut; a fixed key may
// be left out (a load reads it as empty); and lines that are no key of the record
// may stand before "Num Events" when they hold no key's text (as when a follower's
// record was given a camera's name). Such a record breaks no storage rule but the
// missing and foreign lines (each key is found on its own line, the next save
// writes the same but for the foreign lines, and no host buffer cuts it), so these
// need not be applied one by one: nearly every record of a model is of this form,
// and a model holds up to 65,535 of them.
struct WrittenRecord {
  std::vector<std::string_view> events;  // the lines' texts, viewed in the comment
  std::size_t count = 0;                 // what "Num Events" states, at least events.size()
  std::string_view countText;            // the value of "Num Events"
  // The lines that are no key of the record, in order, without their line ends.
  std::vector<std::string_view> foreign;
};

// True for such a record, read into `record`; false for any other text (the
// storage rules then read it).
bool ReadWrittenRecord(RecordKind kind, std::string_view comment, WrittenRecord& record);

}  // namespace quorvel::check
