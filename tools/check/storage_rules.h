#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "plugin/attributes/event_block.h"
#include "tools/check/comment_lines.h"
#include "tools/check/problem.h"

namespace quorvel::check {

// The record of `kind` loaded from `comment` as the plug-in loads it: its events.
EventList LoadRecordEvents(RecordKind kind, std::string_view comment);

// The rules of how a record is stored in a comment that holds one: the comment's
// length, keys that a load reads from somewhere else (now, or after the next save:
// the record is loaded, saved and loaded again, and the two loads compared), the
// event lines against "Num Events", and lines the next save drops. Returns the
// record's events as loaded from the comment.
EventList CheckStorage(RecordKind kind, std::string_view comment, const Place& place,
                       ProblemSink& problems);

// Reports that "Num Events" (`countText`) counts the events `missing` (sorted), which
// have no line: the one rule of CheckStorage that a record as a save writes it
// (tools/check/written_record.h) can break.
void ReportMissingLines(std::string_view countText, const std::vector<std::uint32_t>& missing,
                        const Place& place, ProblemSink& problems);

// Reports that the line `text` (without its line end) is no key of the record: the
// one rule besides the missing lines that a record read in place can break.
void ReportLineNotAKey(std::string_view text, const Place& place, ProblemSink& problems);

}  // namespace quorvel::check
