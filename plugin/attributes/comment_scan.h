#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "plugin/attributes/event_block.h"

// The fast reading of a comment's values for writers that copy them straight into
// their output (`quorvel show` over tens of thousands of comments): each value read
// by the rules of attribute_text.h and event_block.h and written through the
// writer's own text for each byte, in the same pass. Every reading rule the fast
// writers follow lives here, beside the look-up the records use; the writers bring
// only what each byte becomes.

namespace quorvel {

// What a writer writes for one byte: up to eight characters, copied whole.
struct ByteText {
  char text[8];
  unsigned char length;
};
using ByteTexts = std::array<ByteText, 256>;

// How a writer writes the bytes of values. Every byte below 0x20 and from 0x80 up is
// taken as written other than as itself, and so are the two printable bytes named;
// all other bytes must be written as themselves. A value's CRs are left out
// whatever their text (see ValueAfterKey).
struct ValueCoding {
  ByteTexts bytes;
  // The printable bytes written other than as themselves (the same twice for one).
  char marked[2];
  // For each of them, whether it is written as a backslash and itself.
  bool backslashed[2];
};

// The coding of `texts` for values; `first` and `second` as in ValueCoding::marked.
constexpr ValueCoding MakeValueCoding(ByteTexts texts, char first, char second) {
  ValueCoding coding{texts, {first, second}, {false, false}};
  coding.bytes['\r'] = {{}, 0};
  for (int i = 0; i < 2; ++i) {
    const ByteText& entry = texts[static_cast<unsigned char>(coding.marked[i])];
    coding.backslashed[i] =
        entry.length == 2 && entry.text[0] == '\\' && entry.text[1] == coding.marked[i];
  }
  return coding;
}

// The high bit of each of the eight bytes in `word` (in memory order from the low
// end) that `coding` writes other than as itself, by the usual test for a zero byte:
// it may also mark bytes after the first marked one, but never before it, so the
// lowest mark is exact, and so is whether there is any. CRs count as marked. For
// writers that copy plain text eight bytes at a time.
constexpr std::uint64_t MarkedBytesOfWord(std::uint64_t word, const ValueCoding& coding) {
  constexpr std::uint64_t kOnes = 0x0101010101010101u;
  constexpr std::uint64_t kHighs = 0x8080808080808080u;
  const auto equal = [word](unsigned char byte) {
    const std::uint64_t v = word ^ (kOnes * byte);
    return (v - kOnes) & ~v & kHighs;
  };
  return (word & kHighs) | ((word - kOnes * 0x20) & ~word & kHighs) |
         equal(static_cast<unsigned char>(coding.marked[0])) |
         equal(static_cast<unsigned char>(coding.marked[1]));
}

// The room the writers below may use for a value of `size` bytes, each of whose
// bytes the coding writes in at most `longest` characters: they copy in fixed
// blocks, up to 32 characters past what they keep.
constexpr std::size_t TranscriptRoom(std::size_t size, std::size_t longest) {
  return longest * size + 32;
}

// Where a value written by TranscribeValue stopped.
struct ValueStop {
  // The bytes read: the LF's place, or all of them when there is none.
  std::size_t read = 0;
  // Whether an LF ended the value.
  bool ended = false;
  // Whether the writer stopped at an event key inside the value (only when asked
  // to watch for keys); what it wrote is then to be thrown away.
  bool keyInside = false;
};

// Writes at `to` the value that begins `bytes` (the byte after its key's separator),
// as ValueAfterKey reads it: up to the first LF, every CR left out, each other byte
// as `coding` writes it. With `watchKeys` it stops before the first event key among
// the value's bytes (see EventKeyAt). Needs TranscriptRoom(bytes.size(), longest
// text of the coding); returns the end of what was written.
char* TranscribeValue(char* to, std::string_view bytes, const ValueCoding& coding, bool watchKeys,
                      ValueStop& stop);

// How each line of an event block is written: `head` (or `firstHead` for the first
// line), the index's digits when `digits`, `afterDigits`, the value, and `tail`.
// Heads of at most 24 characters, `afterDigits` of at most 4.
struct EventLineFormat {
  std::string_view firstHead;
  std::string_view head;
  bool digits = false;
  std::string_view afterDigits;
  char tail = '\n';
};

// The most room an event line takes besides its value's characters.
inline constexpr std::size_t kEventLineRoom = 56;

// The room TranscribeEventsInOrder may use for a block of `count` events in a
// comment of `commentSize` bytes, with the coding's longest text `longest`. It
// writes nothing for a count above kMaxEventCount or a comment longer than this.
inline constexpr std::size_t kLongestInOrderComment = std::size_t{1} << 16;
constexpr std::size_t InOrderEventsRoom(std::uint32_t count, std::size_t commentSize,
                                        std::size_t longest) {
  return count > kMaxEventCount || commentSize > kLongestInOrderComment
             ? 0
             : count * kEventLineRoom + TranscriptRoom(commentSize, longest);
}

// The event block of `comment`, `count` events long (count as LoadEventBlock takes
// it, at most kMaxEventCount), written line after line in one pass, the keys found
// as the values are read: the lines LoadEventBlock's elements give, in order, each
// line of a key that never occurs with an empty value. Only for a comment whose keys
// each first occur after the keys of the indices below them and inside no value (as
// a record saves them), and of at most kLongestInOrderComment bytes; for any other
// it returns npos, and what it wrote is to be thrown away. Otherwise it returns the
// number of keys that occur (the first ones: the rest are the lines of keys that
// never occur) and moves `to` past the lines. Needs InOrderEventsRoom.
std::size_t TranscribeEventsInOrder(char*& to, std::string_view comment, std::uint32_t count,
                                    const ValueCoding& coding, const EventLineFormat& format);

}  // namespace quorvel
