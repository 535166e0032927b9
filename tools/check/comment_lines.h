#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::check {

// Which record a comment holds: the model's, a follower's or a camera's.
enum class RecordKind { kModel, kFollower, kCamera };

// The keys a record of `kind` writes before its event block, in written order.
std::span<const std::string_view> FixedKeys(RecordKind kind);

// One line of a comment as a person reads it: split at LF, one CR before the LF
// dropped, the key being everything before the first "=".
struct CommentLine {
  std::size_t begin = 0;  // offset of the line in the comment
  std::string_view text;  // without its line end
  bool hasEquals = false;
  std::string_view key;
  std::string_view value;
};

std::vector<CommentLine> SplitCommentLines(std::string_view comment);

// What a key is to a record of one kind.
struct KeyRole {
  enum Kind { kNone, kFixed, kCount, kEvent } kind = kNone;
  std::uint32_t eventIndex = 0;  // for kEvent
};

// "Event" followed by the number text of an index ("Event0", "Event12", never
// "Event01") is an event key; the fixed keys and "Num Events" are the others.
KeyRole RoleOfKey(RecordKind kind, std::string_view key);

// Whether any line of `comment` holds a key of a record of `kind`.
bool HoldsRecord(RecordKind kind, std::string_view comment);

// A key line that a lookup does not read: the key's text occurs earlier in the
// comment, so the lookup reads `readValue` from there instead of the line's value.
struct ShadowedKey {
  std::string key;
  std::size_t line = 0;         // index of the line that holds the key
  std::size_t foundInLine = 0;  // index of the line in which the lookup finds it
  bool duplicate = false;       // the earlier occurrence is a line with the same key
  std::string readValue;
  std::string lineValue;
};

// Every line of a key of the record whose value a load does not read, among the
// fixed keys, "Num Events" and the counted event keys (below `eventCount`).
// `lines` are the comment's lines (SplitCommentLines).
std::vector<ShadowedKey> FindShadowedKeys(RecordKind kind, std::string_view comment,
                                          const std::vector<CommentLine>& lines,
                                          std::uint32_t eventCount);

// "3", "3 and 4", "3 to 7": sorted indices as runs, at most a few runs written out.
std::string IndexRuns(const std::vector<std::uint32_t>& sorted);

// Small text helpers the rules share.

// A letter A to Z made lower case; every other byte as it is (the game's platform
// folds only these when it compares names).
char LowerAscii(char c);
// Whether two short texts are equal, compared in place: asked for every event of a
// model, where a library call for each compare shows, and so does a loop over each
// byte, whose end the processor mispredicts when the lengths vary. Words of eight
// or four bytes are compared instead, the first and the last overlapping.
inline bool SameShortText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  const std::size_t size = a.size();
  const auto same = [&](std::size_t at, auto word) {
    decltype(word) left;
    decltype(word) right;
    std::memcpy(&left, a.data() + at, sizeof word);
    std::memcpy(&right, b.data() + at, sizeof word);
    return left == right;
  };
  if (size >= 8) {
    for (std::size_t at = 0; at + 8 < size; at += 8) {
      if (!same(at, std::uint64_t{})) {
        return false;
      }
    }
    return same(size - 8, std::uint64_t{});
  }
  if (size >= 4) {
    return same(0, std::uint32_t{}) && same(size - 4, std::uint32_t{});
  }
  for (std::size_t i = 0; i < size; ++i) {
    if (a[i] != b[i]) {
      return false;
    }
  }
  return true;
}
bool SameIgnoringCase(std::string_view a, std::string_view b);
// One digit or more, and nothing else.
bool AllDigits(std::string_view text);

// 8-bit text quoted for a message, cut when long.
std::string Quoted(std::string_view text);

// What a message adds about the name `near` that `name` likely meant (see
// NearNames): "; names are case-sensitive: "Mother"?" for one that differs only in
// letter case, "; did you mean "cameraCut"?" for another; nothing when `near` is
// empty.
std::string Suggestion(std::string_view name, std::string_view near);

}  // namespace quorvel::check
