#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvel::app {

// Which of the three records a comment is read as.
enum class RecordShape { kModel, kFollower, kCamera };

// The identifier of the JSON form of `quorvel show --json` and `quorvel apply`: the
// "$schema" of every document `show --json` writes and the "$id" of
// docs/show.schema.json.
inline constexpr std::string_view kShowSchemaId = "urn:quorvel:show-json:1";

// The values of the record of `shape` that a load of `comment` takes from no text of
// the comment, in the order the JSON form lists them ("defaults"), each named by its
// path in the record: a string whose key does not occur ("sobGroupType",
// "sobGroupName", "centerOfInterest"); the frame rate or the event count when its
// value is empty or its key does not occur ("frameRate" reads 24, "events" reads
// none); and each counted event whose key does not occur ("events/3" reads empty).
std::vector<std::string> DefaultedValues(RecordShape shape, std::string_view comment);

// Whether `key` occurs anywhere in `comment`, as a lookup would find it.
inline bool KeyOccurs(std::string_view comment, std::string_view key) {
  return comment.find(key) != std::string_view::npos;
}

}  // namespace quorvel::app
