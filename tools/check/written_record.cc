#include "tools/check/written_record.h"

#include <algorithm>
#include <bit>
#include <span>

#include "plugin/attributes/event_block.h"
#include "plugin/attributes/record_keys.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quorvel::check {
namespace {

// A host that reads comments through a buffer of this size sees one character less.
constexpr std::size_t kHostCommentBuffer = 1024;

// Reads lines "KEY=VALUE\r\n" from the front of a comment.
class LineReader {
 public:
  // `forbidden`: the text that begins the record's fixed keys, which no value may
  // hold; every key of a follower's or camera's record begins with "E" ("Event",
  // also inside "Num Events") or with that text ("Sob ", "Center Of Interest").
  LineReader(std::string_view text, std::string_view forbidden)
      : text_(text), forbidden_(forbidden) {
    for (char c : {'\n', '\r', 'E', forbidden[0]}) {
      marked_[static_cast<unsigned char>(c)] = true;
    }
  }

  bool AtEnd() const { return text_.empty(); }

  // Reads the line of `key`; false unless the next line is that key's, ends in
  // CR LF, and its value holds no CR and none of the forbidden key texts.
  bool Line(std::string_view key, std::string_view& value) {
    if (text_.size() <= key.size() || text_[key.size()] != '=' || !SameStart(key)) {
      return false;
    }
    // One pass over the value to its LF: only the bytes marked in the table (LF, CR,
    // and the first letters of the keys a value must not hold) are looked at.
    const std::size_t begin = key.size() + 1;
    for (std::size_t i = NextMarked(begin); i < text_.size(); i = NextMarked(i + 1)) {
      const char c = text_[i];
      if (c == '\n') {
        return false;  // a line end without its CR
      }
      if (c == '\r') {
        if (i + 1 >= text_.size() || text_[i + 1] != '\n') {
          return false;  // a CR inside the value
        }
        value = text_.substr(begin, i - begin);
        text_.remove_prefix(i + 2);
        return true;
      }
      if ((c == 'E' && Holds(i, kEventKeyWord)) || (c == forbidden_[0] && Holds(i, forbidden_))) {
        return false;
      }
    }
    // The last line may lack its line end: a load reads it as if it had one.
    value = text_.substr(begin);
    text_ = {};
    return true;
  }

  // Reads a line that is no key of the record and holds none of their texts:
  // not empty, ending in CR LF, holding no other CR or LF, no "Event" and not the
  // forbidden text. False (and nothing read) for any other line.
  bool ForeignLine(std::string_view& line) {
    for (std::size_t i = NextMarked(0); i < text_.size(); i = NextMarked(i + 1)) {
      const char c = text_[i];
      if (c == '\n') {
        return false;
      }
      if (c == '\r') {
        if (i == 0 || i + 1 >= text_.size() || text_[i + 1] != '\n') {
          return false;
        }
        line = text_.substr(0, i);
        text_.remove_prefix(i + 2);
        return true;
      }
      if ((c == 'E' && Holds(i, kEventKeyWord)) || (c == forbidden_[0] && Holds(i, forbidden_))) {
        return false;
      }
    }
    return false;  // the last line: "Num Events" is still to come
  }

 private:
  // Where the next marked byte stands at or after `from`; the size when none does.
  // Sixteen bytes at a time where the processor has SSE2: a model holds millions of
  // lines.
  std::size_t NextMarked(std::size_t from) const {
    const char* const data = text_.data();
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i e = _mm_set1_epi8('E');
    const __m128i fixed = _mm_set1_epi8(forbidden_[0]);
    for (; text_.size() - from >= 16 && from <= text_.size(); from += 16) {
      const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + from));
      const __m128i hits =
          _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(block, lf), _mm_cmpeq_epi8(block, cr)),
                       _mm_or_si128(_mm_cmpeq_epi8(block, e), _mm_cmpeq_epi8(block, fixed)));
      const auto mask = static_cast<unsigned>(_mm_movemask_epi8(hits));
      if (mask != 0) {
        return from + static_cast<std::size_t>(std::countr_zero(mask));
      }
    }
#endif
    for (; from < text_.size(); ++from) {
      if (marked_[static_cast<unsigned char>(data[from])]) {
        return from;
      }
    }
    return text_.size();
  }

  // Whether the text begins with `key`: compared in place, since keys are short and
  // a library call for each line shows over millions of them.
  bool SameStart(std::string_view key) const {
    for (std::size_t i = 0; i < key.size(); ++i) {
      if (text_[i] != key[i]) {
        return false;
      }
    }
    return true;
  }

  // Whether `key` stands at `at`, its first letter being there.
  bool Holds(std::size_t at, std::string_view key) const {
    if (text_.size() - at < key.size()) {
      return false;
    }
    for (std::size_t i = 1; i < key.size(); ++i) {
      if (text_[at + i] != key[i]) {
        return false;
      }
    }
    return true;
  }

  std::string_view text_;
  std::string_view forbidden_;
  bool marked_[256] = {};
};

// "0", or digits without a leading zero, at most five (the count never exceeds
// kMaxEventCount here).
bool ReadCount(std::string_view text, std::size_t& count) {
  if (text.empty() || text.size() > 5 || (text.size() > 1 && text[0] == '0')) {
    return false;
  }
  count = 0;
  for (char c : text) {
    if (c < '0' || c > '9') {
      return false;
    }
    count = count * 10 + static_cast<std::size_t>(c - '0');
  }
  return count <= kMaxEventCount;
}

// The keys "Event0", "Event1"... in turn, each made from the last by adding one to
// its digits in place.
class EventKeys {
 public:
  EventKeys() {
    std::copy(kEventKeyWord.begin(), kEventKeyWord.end(), text_);
    text_[kEventKeyWord.size()] = '0';
    size_ = kEventKeyWord.size() + 1;
  }
  std::string_view Key() const { return {text_, size_}; }
  void Next() {
    for (std::size_t at = size_; at-- > kEventKeyWord.size();) {
      if (text_[at] != '9') {
        ++text_[at];
        return;
      }
      text_[at] = '0';
    }
    // All nines: one digit more, "1" first.
    text_[kEventKeyWord.size()] = '1';
    text_[size_++] = '0';
  }

 private:
  char text_[32] = {};
  std::size_t size_ = 0;
};

}  // namespace

bool ReadWrittenRecord(RecordKind kind, std::string_view comment, WrittenRecord& record) {
  record.events.clear();
  record.foreign.clear();
  if (kind == RecordKind::kModel || comment.size() >= kHostCommentBuffer) {
    return false;
  }
  LineReader lines(comment, kind == RecordKind::kFollower ? "Sob " : kCenterOfInterestKey);
  std::string_view value;
  // Up to "Num Events": the fixed keys in their order, any of them left out, and
  // foreign lines. Every key's line holds a key's text, so none is read as foreign.
  const std::span<const std::string_view> fixed = FixedKeys(kind);
  std::size_t nextFixed = 0;
  bool counted = false;
  while (!lines.AtEnd()) {
    if (lines.Line(kEventCountKey, value)) {
      counted = true;
      break;
    }
    std::size_t at = nextFixed;
    while (at < fixed.size() && !lines.Line(fixed[at], value)) {
      ++at;
    }
    if (at < fixed.size()) {
      nextFixed = at + 1;
      continue;
    }
    std::string_view line;
    if (!lines.ForeignLine(line)) {
      return false;
    }
    record.foreign.push_back(line);
  }
  if (!counted || !ReadCount(value, record.count)) {
    return false;
  }
  record.countText = value;
  EventKeys keys;
  for (std::size_t i = 0; i < record.count && !lines.AtEnd(); ++i, keys.Next()) {
    if (!lines.Line(keys.Key(), value)) {
      return false;
    }
    record.events.push_back(value);
  }
  return lines.AtEnd();
}

}  // namespace quorvel::check
