#include "plugin/attributes/comment_scan.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "plugin/attributes/event_block.h"
#include "plugin/attributes/event_line_head.h"
#include "plugin/attributes/record_keys.h"

// The one place that reads values sixteen bytes at a time where the processor has
// SSE2; without it, eight bytes at a time in a plain word.
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quorvel {

// The parts of the in-order block writer that need no scanning of their own.
using namespace comment_scan;

namespace {

// The high bit of each byte of `word` that may be `byte` (see MarkedBytesOfWord).
constexpr std::uint64_t ByteMask(std::uint64_t word, unsigned char byte) {
  constexpr std::uint64_t kOnes = 0x0101010101010101u;
  const std::uint64_t v = word ^ (kOnes * byte);
  return (v - kOnes) & ~v & (kOnes << 7);
}

// The first `wanted` in [from, end), or `end`: inline and sixteen bytes at a time
// where the processor has SSE2, since the byte sought stands a line apart and a
// library call for each match shows over millions of lines.
const char* FindByte(const char* from, const char* end, char wanted) {
#if defined(__SSE2__)
  const __m128i pattern = _mm_set1_epi8(wanted);
  for (; end - from >= 16; from += 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
    const auto found = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, pattern)));
    if (found != 0) {
      return from + std::countr_zero(found);
    }
  }
#endif
  for (; from != end; ++from) {
    if (*from == wanted) {
      return from;
    }
  }
  return end;
}

#if defined(__SSE2__)
constexpr std::ptrdiff_t kWindow = 32;

// The coding's marked bytes as vectors, made once for a value or a block.
struct MarkedVectors {
  explicit MarkedVectors(const ValueCoding& coding)
      : first(_mm_set1_epi8(coding.marked[0])),
        second(_mm_set1_epi8(coding.marked[1])),
        firstBackslashed(_mm_set1_epi8(coding.backslashed[0] ? -1 : 0)),
        secondBackslashed(_mm_set1_epi8(coding.backslashed[1] ? -1 : 0)) {}

  // The bytes of `block` not written as themselves: below 0x20, from 0x80 up
  // (negative as signed bytes), and the marked ones.
  __m128i Special(__m128i block) const {
    return _mm_or_si128(_mm_cmplt_epi8(block, _mm_set1_epi8(0x20)),
                        _mm_or_si128(_mm_cmpeq_epi8(block, first), _mm_cmpeq_epi8(block, second)));
  }
  // The marked bytes of `block` written as a backslash and themselves: for a coding
  // of the shape kShape (see MarksShape), known when the code is made, so that a
  // block of values takes no more steps than its coding needs.
  template <MarksShape kShape = MarksShape::kAny>
  __m128i Backslashed(__m128i block) const {
    if constexpr (kShape == MarksShape::kEscapedPair) {
      return _mm_or_si128(_mm_cmpeq_epi8(block, first), _mm_cmpeq_epi8(block, second));
    } else if constexpr (kShape == MarksShape::kOnePlain) {
      return _mm_setzero_si128();
    } else {
      return _mm_or_si128(_mm_and_si128(_mm_cmpeq_epi8(block, first), firstBackslashed),
                          _mm_and_si128(_mm_cmpeq_epi8(block, second), secondBackslashed));
    }
  }
  // The other marked bytes of `block`.
  template <MarksShape kShape = MarksShape::kAny>
  __m128i NotBackslashed(__m128i block) const {
    if constexpr (kShape == MarksShape::kEscapedPair) {
      return _mm_setzero_si128();
    } else if constexpr (kShape == MarksShape::kOnePlain) {
      return _mm_cmpeq_epi8(block, first);
    } else {
      return _mm_or_si128(_mm_andnot_si128(firstBackslashed, _mm_cmpeq_epi8(block, first)),
                          _mm_andnot_si128(secondBackslashed, _mm_cmpeq_epi8(block, second)));
    }
  }

  __m128i first;
  __m128i second;
  __m128i firstBackslashed;
  __m128i secondBackslashed;
};

inline std::uint32_t Bits(__m128i low, __m128i high) {
  return static_cast<std::uint32_t>(_mm_movemask_epi8(low)) |
         static_cast<std::uint32_t>(_mm_movemask_epi8(high)) << 16;
}

// The bytes of the window `low` and `high` that are `byte`, one bit each.
inline std::uint32_t BytesOf(__m128i low, __m128i high, char byte) {
  const __m128i wanted = _mm_set1_epi8(byte);
  return Bits(_mm_cmpeq_epi8(low, wanted), _mm_cmpeq_epi8(high, wanted));
}

// Copies the `count` bytes at `from` (fewer than 32) to `to`: 32 at once where the
// source has them, so that no call copies a run of unknown length. The room after
// `to` takes 32 (see TranscriptRoom).
inline char* CopyRun(char* to, const char* from, std::size_t count, const char* end) {
  if (end - from >= 32) {
    std::memcpy(to, from, 32);
  } else {
    std::memcpy(to, from, count);
  }
  return to + count;
}

// With the window's 32 bytes at `from` already copied to `to`: leaves out each byte
// that `marks` marks, or, where `escaped` marks it too, writes a backslash before it.
// The bytes after each mark move by one place. Needs 64 bytes at `from` and room for
// 96 at `to`; returns how far the bytes after the last mark moved (marks left out
// count -1, escapes +1).
inline std::ptrdiff_t PlaceMarks(char* to, const char* from, std::uint32_t marks,
                                 std::uint32_t escaped) {
  std::ptrdiff_t shift = 0;
  for (; marks != 0; marks &= marks - 1u) {
    const auto at = static_cast<std::ptrdiff_t>(std::countr_zero(marks));
    const auto backslash = static_cast<std::ptrdiff_t>((escaped >> at) & 1u);
    char* const place = to + at + shift;
    *place = '\\';  // overwritten by what follows a byte left out
    std::memcpy(place + backslash, from + at + 1 - backslash, kWindow);
    shift += 2 * backslash - 1;
  }
  return shift;
}

// The value of an event line as a record saves it, at `from` (the byte after the
// key's separator): ended by an LF within its first 31 bytes, and before it nothing
// but CRs and bytes that are printable, other than 'E', and written as themselves
// or as a backslash and themselves. Written as TranscribeValue writes it, with
// `length` the place of the LF, and `to` moved past what was written; false, with
// nothing written that counts, for any other value. Needs 64 bytes before `end` and
// room for 96 at `to`.
template <MarksShape kShape>
inline bool WriteUsualEventValue(char*& to, const char* from, const char* end,
                                 const MarkedVectors& marked, std::size_t& length) {
  if (end - from < 2 * kWindow) {
    return false;
  }
  const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
  const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 16));
  const std::uint32_t lf = BytesOf(low, high, '\n');
  if (lf == 0) {
    return false;
  }
  const auto unusual = [&marked](__m128i block) {
    const __m128i cr = _mm_cmpeq_epi8(block, _mm_set1_epi8('\r'));
    return _mm_or_si128(
        _mm_or_si128(_mm_andnot_si128(cr, _mm_cmplt_epi8(block, _mm_set1_epi8(0x20))),
                     _mm_cmpeq_epi8(block, _mm_set1_epi8('E'))),
        marked.NotBackslashed<kShape>(block));
  };
  const auto limit = static_cast<std::size_t>(std::countr_zero(lf));
  const std::uint32_t before = (std::uint32_t{1} << limit) - 1u;
  if ((Bits(unusual(low), unusual(high)) & before) != 0) {
    return false;
  }
  const std::uint32_t escaped =
      Bits(marked.Backslashed<kShape>(low), marked.Backslashed<kShape>(high));
  std::uint32_t marks = (BytesOf(low, high, '\r') | escaped) & before;
  // The CR that ends the line, just before the LF, needs no place: the value ends
  // one byte sooner.
  std::size_t written = limit;
  if (limit != 0 && ((marks & ~escaped) >> (limit - 1) & 1u) != 0) {
    marks &= ~(std::uint32_t{1} << (limit - 1));
    --written;
  }
  _mm_storeu_si128(reinterpret_cast<__m128i*>(to), low);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 16), high);
  to += static_cast<std::ptrdiff_t>(written) + PlaceMarks(to, from, marks, escaped);
  length = limit;
  return true;
}

// The bytes of the window at `from` before `limit`, each one `marks` marks by its
// entry of `table`, the runs between them copied whole.
inline char* WriteByTable(char* to, const char* from, const char* end, std::uint32_t marks,
                          std::size_t limit, const ByteTexts& table) {
  std::size_t done = 0;
  for (; marks != 0; marks &= marks - 1u) {
    const auto at = static_cast<std::size_t>(std::countr_zero(marks));
    to = CopyRun(to, from + done, at - done, end);
    const ByteText& entry = table[static_cast<unsigned char>(from[at])];
    std::memcpy(to, entry.text, sizeof entry.text);
    to += entry.length;
    done = at + 1;
  }
  return CopyRun(to, from + done, limit - done, end);
}

// TranscribeValue 32 bytes at a time, about one value of an event: one mask marks
// every byte of the window that is not written as itself, and the runs between the
// marked ones are copied whole. The places come from the mask alone, so that
// finding the next one does not wait for the bytes written before it. True, with
// `stop` set, when the value ended; otherwise `from` is left where fewer than 32
// bytes remain.
inline bool TranscribeWindows(char*& to, const char*& from, std::string_view bytes,
                              const ValueCoding& coding, bool watchKeys, ValueStop& stop) {
  const char* const end = bytes.data() + bytes.size();
  const MarkedVectors marked(coding);
  while (end - from >= kWindow) {
    const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
    const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 16));
    std::uint32_t special = Bits(marked.Special(low), marked.Special(high));
    const std::uint32_t keys = watchKeys ? BytesOf(low, high, 'E') : 0u;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to), low);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 16), high);
    if ((special | keys) == 0) {
      to += kWindow;
      from += kWindow;
      continue;
    }
    const std::uint32_t lf = BytesOf(low, high, '\n');
    const std::size_t limit = lf != 0 ? static_cast<std::size_t>(std::countr_zero(lf)) : kWindow;
    const auto before = static_cast<std::uint32_t>((std::uint64_t{1} << limit) - 1u);
    for (std::uint32_t key = keys & before; key != 0; key &= key - 1u) {
      if (EventKeyAt(bytes, static_cast<std::size_t>(from - bytes.data()) +
                                static_cast<std::size_t>(std::countr_zero(key)))) {
        stop.keyInside = true;
        return true;
      }
    }
    special &= before;
    // The usual marks: the CR of a line's end, left out, and a byte written as a
    // backslash and itself. Where the source has the bytes, each is written from the
    // masks alone, without a look at the table: the window's bytes after a mark move
    // by one place, the number of marks before a byte giving its place.
    const std::uint32_t escaped = Bits(marked.Backslashed(low), marked.Backslashed(high)) & special;
    const std::uint32_t crs = BytesOf(low, high, '\r') & special;
    if ((special & ~(crs | escaped)) == 0 && end - from >= 2 * kWindow) {
      to += static_cast<std::ptrdiff_t>(limit) + PlaceMarks(to, from, special, escaped);
    } else {
      to = WriteByTable(to, from, end, special, limit, coding.bytes);
    }
    if (lf != 0) {
      stop.ended = true;
      stop.read = static_cast<std::size_t>(from - bytes.data()) + limit;
      return true;
    }
    from += kWindow;
  }
  return false;
}

// What a usual event value needs, made once for a block (see WriteUsualEventValue).
template <MarksShape kShape>
class UsualValues {
 public:
  explicit UsualValues(const ValueCoding& coding) : marked_(coding) {}
  bool Write(char*& to, const char* from, const char* end, std::size_t& length) const {
    return WriteUsualEventValue<kShape>(to, from, end, marked_, length);
  }

 private:
  MarkedVectors marked_;
};
#else
// Without SSE2 every value takes TranscribeValue.
template <MarksShape>
class UsualValues {
 public:
  explicit UsualValues(const ValueCoding&) {}
  bool Write(char*&, const char*, const char*, std::size_t&) const { return false; }
};
#endif

}  // namespace

size_t FindEventKey(std::string_view text, size_t from) {
  // Each 'E' is found by FindByte: a block of many events has one a line. The next
  // search starts past it.
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  for (const char* p = begin + std::min(from, text.size()); p != end; ++p) {
    p = FindByte(p, end, kEventKeyWord[0]);
    if (p == end) {
      break;
    }
    if (EventKeyAt(text, static_cast<size_t>(p - begin))) {
      return static_cast<size_t>(p - begin);
    }
  }
  return std::string_view::npos;
}

char* TranscribeValue(char* to, std::string_view bytes, const ValueCoding& coding, bool watchKeys,
                      ValueStop& stop) {
  const ByteTexts& table = coding.bytes;
  const char* from = bytes.data();
  const char* const end = from + bytes.size();
  stop = {};
  // The value ends at an LF; every other byte that is not written as itself takes
  // its entry of the table (a CR, none).
#if defined(__SSE2__)
  if (TranscribeWindows(to, from, bytes, coding, watchKeys, stop)) {
    return to;
  }
#endif
  // Writes the byte at `from` by the table; false, having written nothing, where the
  // value stops: at its LF, or at a key watched for.
  const auto writeOne = [&] {
    if (*from == '\n') {
      stop.ended = true;
      stop.read = static_cast<std::size_t>(from - bytes.data());
      return false;
    }
    if (watchKeys && EventKeyAt(bytes, static_cast<std::size_t>(from - bytes.data()))) {
      stop.keyInside = true;
      return false;
    }
    const ByteText& entry = table[static_cast<unsigned char>(*from)];
    std::memcpy(to, entry.text, sizeof entry.text);
    to += entry.length;
    return true;
  };
  // Eight bytes at a time: the plain ones before the first that needs more are
  // copied at once (with the rest of the word, which the next step overwrites).
  // The first byte in memory must be the lowest for the mask to find it.
  constexpr std::ptrdiff_t kWord = 8;
  constexpr bool kLittleEndian = std::endian::native == std::endian::little;
  while (kLittleEndian && end - from >= kWord) {
    std::uint64_t word;
    std::memcpy(&word, from, kWord);
    std::uint64_t mask = MarkedBytesOfWord(word, coding);
    if (watchKeys) {
      mask |= ByteMask(word, 'E');
    }
    std::memcpy(to, from, kWord);
    if (mask == 0) {
      to += kWord;
      from += kWord;
      continue;
    }
    const auto plain = static_cast<std::ptrdiff_t>(std::countr_zero(mask) / 8);
    to += plain;
    from += plain;
    if (!writeOne()) {
      return to;
    }
    ++from;
  }
  for (; from != end; ++from) {
    if (!writeOne()) {
      return to;
    }
  }
  stop.read = bytes.size();
  return to;
}

namespace {

template <MarksShape kShape>
std::size_t EventsInOrder(char*& out, std::string_view comment, std::uint32_t count,
                          const ValueCoding& coding, const EventLineFormat& format) {
  constexpr std::size_t kNotInOrder = std::string_view::npos;
  // What FindEventBlock counts, as long as the stated count is at most
  // kMaxEventCount: the stated count itself.
  if (count == 0 || count > kMaxEventCount || comment.size() > kLongestInOrderComment) {
    return kNotInOrder;
  }
  const EventLineHead head(format);
  const UsualValues<kShape> usual(coding);
  char* to = out;
  // The keys are taken as the block's loading finds them (see FindEventBlock): the
  // first place of "Event<i>" for each i, a place of "Event" and digits standing for
  // every index its leading digits make. Here each key must first occur after the
  // keys below it, and no value may hold a key, so that the lines can be written as
  // the keys are met.
  std::size_t found = 0;
  DecimalIndex digits;  // of `found`
  const auto nextKey = [&comment](std::size_t from) { return FindEventKey(comment, from); };
  for (std::size_t at = nextKey(0); found < count && at != std::string_view::npos;) {
    std::size_t keyEnd = std::string_view::npos;
    if (!KeyInOrder(comment, at, count, digits, found, keyEnd)) {
      return kNotInOrder;
    }
    if (keyEnd == std::string_view::npos) {
      at = nextKey(at + kEventKeyWord.size());  // only keys met before
      continue;
    }
    to = head.Write(to, digits);
    digits.Next();
    // The value: after the one separator byte, up to the LF (see ValueAfterKey).
    std::size_t next = keyEnd;
    if (keyEnd < comment.size() && comment[keyEnd] != '\n') {
      const char* const value = comment.data() + keyEnd + 1;
      const char* const end = comment.data() + comment.size();
      // The separator may begin a key; a usual value (short and plain, as a record
      // writes it) is written in one step, any other by TranscribeValue.
      ValueStop stop;
      stop.keyInside = EventKeyAt(comment, keyEnd);
      if (!stop.keyInside && !usual.Write(to, value, end, stop.read)) {
        to = TranscribeValue(to, std::string_view(value, static_cast<std::size_t>(end - value)),
                             coding, true, stop);
      }
      if (stop.keyInside) {
        return kNotInOrder;
      }
      next = keyEnd + 1 + stop.read;
    }
    *to++ = head.Tail();
    // Where a record puts it: the next key begins the next line.
    const bool nextLine =
        next < comment.size() && comment[next] == '\n' && EventKeyAt(comment, next + 1);
    at = nextLine ? next + 1 : nextKey(next);
  }
  // The keys never met: empty values.
  for (std::size_t index = found; index < count; ++index) {
    to = head.Write(to, digits);
    digits.Next();
    *to++ = head.Tail();
  }
  out = to;
  return found;
}

}  // namespace

std::size_t TranscribeEventsInOrder(char*& out, std::string_view comment, std::uint32_t count,
                                    const ValueCoding& coding, const EventLineFormat& format) {
  switch (ShapeOf(coding)) {
    case MarksShape::kEscapedPair:
      return EventsInOrder<MarksShape::kEscapedPair>(out, comment, count, coding, format);
    case MarksShape::kOnePlain:
      return EventsInOrder<MarksShape::kOnePlain>(out, comment, count, coding, format);
    default:
      return EventsInOrder<MarksShape::kAny>(out, comment, count, coding, format);
  }
}

}  // namespace quorvel
