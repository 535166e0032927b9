#pragma once

#include <string_view>
#include <vector>

#include "check/comment_lines.h"

namespace quorvel::check {

// Reads a follower's or a camera's record that stands exactly as a save writes it:
// the fixed keys in their order, "Num Events" as a plain number, and that many
// event lines in order, each line ending in CR LF, no value holding a CR or the
// text of a key, and the whole shorter than 1024 characters. Such a record breaks
// none of the storage rules (each key is found on its own line, the next save
// writes the same text, and no host buffer cuts it), so these need not be applied
// one by one: nearly every record of a model is of this form, and a model holds up
// to 65,535 of them.
//
// Returns true for such a record, with its event texts in `events`, viewed in
// `comment`; false for any other text (the storage rules then read it).
bool ReadWrittenRecord(RecordKind kind, std::string_view comment,
                       std::vector<std::string_view>& events);

}  // namespace quorvel::check
