#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "plugin/attributes/comment_scan.h"
#include "plugin/attributes/event_block.h"
#include "plugin/attributes/record_keys.h"

// What TranscribeEventsInOrder works with besides the scanning itself: the index
// counted up in its digits, each line's head copied whole, the step from key to key
// of a block in order, and the shapes of codings it is made for. Only for
// comment_scan.cc.
namespace quorvel::comment_scan {

// An index of an event block (at most kMaxEventCount, so at most 5 digits) as its
// decimal digits, counted up one at a time: the keys of a block in order are
// compared and written without making each index's digits anew. The digits are kept
// in one word, first digit in the lowest byte, so that they are written and
// compared whole (bytes stored into memory and read back as a word would stall).
class DecimalIndex {
 public:
  // Written 8 characters at once.
  static constexpr std::size_t kRoom = 8;

  std::size_t Size() const { return size_; }
  bool IsZero() const { return word_ == '0'; }
  void Next() {
    for (std::size_t i = size_; i-- > 0;) {
      const unsigned shift = 8 * static_cast<unsigned>(i);
      if (((word_ >> shift) & 0xFF) != '9') {
        word_ += std::uint64_t{1} << shift;
        return;
      }
      word_ -= std::uint64_t{'9' - '0'} << shift;  // to '0', and carry
    }
    word_ = (word_ << 8) | '1';  // all nines: 99 became 00, and is 100
    ++size_;
  }
  // Writes the digits at `to`, which has room for kRoom characters.
  char* Write(char* to) const {
    std::memcpy(to, &word_, kRoom);
    return to + size_;
  }
  // Whether the text at `at` is these digits and then a byte that is not one.
  bool StandAt(std::string_view text, std::size_t at) const {
    if (at + size_ >= text.size()) {
      return false;
    }
    for (std::size_t i = 0; i < size_; ++i) {
      if (static_cast<unsigned char>(text[at + i]) != ((word_ >> (8 * i)) & 0xFF)) {
        return false;
      }
    }
    return text[at + size_] < '0' || text[at + size_] > '9';
  }

 private:
  static_assert(std::endian::native == std::endian::little, "digits are kept low byte first");
  std::uint64_t word_ = '0';
  std::size_t size_ = 1;
};

// The start of each line of an event block, made once for the block and copied
// whole, so that each line takes one copy of known length. At some 40 events a
// joint and 65,535 joints, checks of room and copies of unknown length for each
// part would show.
class EventLineHead {
 public:
  explicit EventLineHead(const EventLineFormat& format) : format_(format) {
    Set(first_, firstSize_, format.firstHead);
    Set(next_, nextSize_, format.head);
    Set(after_, afterSize_, format.afterDigits);
  }

  // The head of the line of index `digits`; returns where its value goes.
  char* Write(char* to, const DecimalIndex& digits) const {
    const bool first = digits.IsZero();
    std::memcpy(to, first ? first_ : next_, kHeadRoom);
    to += first ? firstSize_ : nextSize_;
    if (!format_.digits) {
      return to;
    }
    to = digits.Write(to);
    std::memcpy(to, after_, sizeof after_);
    return to + afterSize_;
  }

  char Tail() const { return format_.tail; }

 private:
  static constexpr std::size_t kHeadRoom = 24;

  template <std::size_t kSize>
  static void Set(char (&text)[kSize], std::size_t& size, std::string_view from) {
    size = std::min(from.size(), kSize);
    std::memcpy(text, from.data(), size);
  }

  const EventLineFormat& format_;
  char first_[kHeadRoom] = {};
  char next_[kHeadRoom] = {};
  char after_[8] = {};
  std::size_t firstSize_ = 0;
  std::size_t nextSize_ = 0;
  std::size_t afterSize_ = 0;
};
static_assert(24 + DecimalIndex::kRoom + 8 + 1 <= kEventLineRoom);

// The shapes of a coding's marks that the block writer is made for: both marked
// bytes written as a backslash and themselves (JSON's quote and backslash), one
// byte written otherwise (a terminal's DEL), or any.
enum class MarksShape { kEscapedPair, kOnePlain, kAny };

inline MarksShape ShapeOf(const ValueCoding& coding) {
  if (coding.backslashed[0] && coding.backslashed[1]) {
    return MarksShape::kEscapedPair;
  }
  if (coding.marked[0] == coding.marked[1] && !coding.backslashed[0]) {
    return MarksShape::kOnePlain;
  }
  return MarksShape::kAny;
}

// The key of the next index of a block in order, `found` so far, at `at`: where it
// ends in `keyEnd` (npos when the key at `at` stands only for indices met before),
// with `found` counted on. False when it stands for an index past the next one: met
// before a key below it.
inline bool KeyInOrder(std::string_view comment, std::size_t at, std::uint32_t count,
                       const DecimalIndex& digits, std::size_t& found, std::size_t& keyEnd) {
  if (digits.StandAt(comment, at + kEventKeyWord.size())) {
    // The usual key: the next index's and nothing more. Every index its leading
    // digits stand for is below it, so met already.
    keyEnd = at + kEventKeyWord.size() + digits.Size();
    ++found;
    return true;
  }
  return ForEachIndexOfKey(comment, at, count, [&found, &keyEnd](uint64_t index, size_t end) {
    if (index > found) {
      return false;
    }
    if (index == found) {
      keyEnd = end;
      ++found;
    }
    return true;
  });
}

}  // namespace quorvel::comment_scan
