#include "tools/quorvel/json_text.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <initializer_list>

#include "plugin/attributes/event_block.h"
#include "tools/quorvel/value_window.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quorvel::app {

namespace {

// What each byte becomes inside a JSON string, padded to eight characters so that
// every byte is written by one fixed-size copy, without a branch on its kind.
struct JsonByte {
  char text[8];
  unsigned char length;
};

constexpr std::array<JsonByte, 256> kJsonBytes = [] {
  constexpr char kHex[] = "0123456789abcdef";
  std::array<JsonByte, 256> table{};
  for (int byte = 0; byte < 256; ++byte) {
    JsonByte& entry = table[static_cast<std::size_t>(byte)];
    const auto set = [&entry](std::initializer_list<char> text) {
      std::size_t i = 0;
      for (const char c : text) {
        entry.text[i++] = c;
      }
      entry.length = static_cast<unsigned char>(i);
    };
    switch (byte) {
      case '"':
      case '\\':
        set({'\\', static_cast<char>(byte)});
        break;
      case '\b':
        set({'\\', 'b'});
        break;
      case '\f':
        set({'\\', 'f'});
        break;
      case '\n':
        set({'\\', 'n'});
        break;
      case '\r':
        set({'\\', 'r'});
        break;
      case '\t':
        set({'\\', 't'});
        break;
      default:
        if (byte < 0x20) {
          set({'\\', 'u', '0', '0', kHex[byte >> 4], kHex[byte & 0xF]});
        } else if (byte >= 0x80) {
          set({static_cast<char>(0xC0 | (byte >> 6)), static_cast<char>(0x80 | (byte & 0x3F))});
        } else {
          set({static_cast<char>(byte)});
        }
    }
  }
  return table;
}();

// What each byte of a value becomes in a terminal: as in JSON, except that '"' and
// '\\' stay as they are and DEL and the C1 controls (0x80 to 0x9F) take \u00XX.
constexpr std::array<JsonByte, 256> kTerminalBytes = [] {
  constexpr char kHex[] = "0123456789abcdef";
  std::array<JsonByte, 256> table = kJsonBytes;
  table['"'] = {{'"'}, 1};
  table['\\'] = {{'\\'}, 1};
  for (int byte = 0x7F; byte < 0xA0; ++byte) {
    table[static_cast<std::size_t>(byte)] = {
        {'\\', 'u', '0', '0', kHex[byte >> 4], kHex[byte & 0xF]}, 6};
  }
  return table;
}();

// The same for the bytes of a value, which leaves out every CR.
constexpr std::array<JsonByte, 256> WithoutCr(std::array<JsonByte, 256> table) {
  table['\r'] = {{}, 0};
  return table;
}
constexpr std::array<JsonByte, 256> kJsonValueBytes = WithoutCr(kJsonBytes);
constexpr std::array<JsonByte, 256> kTerminalValueBytes = WithoutCr(kTerminalBytes);

constexpr std::uint64_t kOnes = 0x0101010101010101u;
constexpr std::uint64_t kHighs = 0x8080808080808080u;

// The high bit of each byte of `word` that may be `byte`, by the usual test for a
// zero byte: it may also mark bytes after the first marked one, but never before
// it, so the lowest mark is exact, and so is whether there is any.
constexpr std::uint64_t ByteMask(std::uint64_t word, unsigned char byte) {
  const std::uint64_t v = word ^ (kOnes * byte);
  return (v - kOnes) & ~v & kHighs;
}

// The same for the bytes below 0x20, and for those from 0x80 up.
constexpr std::uint64_t Below20Mask(std::uint64_t word) {
  return (word - kOnes * 0x20) & ~word & kHighs;
}

// The high bit of each of the eight bytes in `word` (in memory order from the low
// end) that is written as more than itself: a control character, '"', '\\' or a
// byte from 0x80 up; exact as ByteMask is.
constexpr std::uint64_t NeedsEscapeMask(std::uint64_t word) {
  return (word & kHighs) | Below20Mask(word) | ByteMask(word, '"') | ByteMask(word, '\\');
}

constexpr bool AnyNeedsEscape(std::uint64_t word) {
  return NeedsEscapeMask(word) != 0;
}

// The same for a terminal: the bytes that are not printable ASCII (0x20 to 0x7E).
constexpr std::uint64_t NotPrintableMask(std::uint64_t word) {
  return (word & kHighs) | Below20Mask(word) | ByteMask(word, 0x7F);
}

constexpr bool AllPrintableAscii(std::uint64_t word) {
  return NotPrintableMask(word) == 0;
}

char* WriteBytes(char* to, const char* from, const char* end) {
  for (; from != end; ++from) {
    const JsonByte& entry = kJsonBytes[static_cast<unsigned char>(*from)];
    std::memcpy(to, entry.text, sizeof entry.text);
    to += entry.length;
  }
  return to;
}

#if defined(__SSE2__)
// Copies the `count` bytes at `from` (fewer than 32) to `to`: 32 at once where the
// source has them, so that no call copies a run of unknown length. The room after
// `to` takes 32 (see the capacities in json_text.h).
inline char* CopyRun(char* to, const char* from, std::size_t count, const char* end) {
  if (end - from >= 32) {
    std::memcpy(to, from, 32);
  } else {
    std::memcpy(to, from, count);
  }
  return to + count;
}

// The bytes of a block of sixteen that are not written as themselves, one bit each:
// below 0x20, or from 0x80 up (negative as signed bytes); and '"' and '\\' in JSON,
// DEL in a terminal.
template <bool kTerminal>
inline std::uint32_t MarkedBytes(__m128i block) {
  __m128i marked = _mm_cmplt_epi8(block, _mm_set1_epi8(0x20));
  if constexpr (kTerminal) {
    marked = _mm_or_si128(marked, _mm_cmpeq_epi8(block, _mm_set1_epi8(0x7F)));
  } else {
    marked = _mm_or_si128(marked, _mm_or_si128(_mm_cmpeq_epi8(block, _mm_set1_epi8('"')),
                                               _mm_cmpeq_epi8(block, _mm_set1_epi8('\\'))));
  }
  return static_cast<std::uint32_t>(_mm_movemask_epi8(marked));
}

// The bytes of the window `low` and `high` that are `byte`, one bit each.
inline std::uint32_t BytesOf(__m128i low, __m128i high, char byte) {
  const __m128i wanted = _mm_set1_epi8(byte);
  return static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(low, wanted))) |
         static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(high, wanted))) << 16;
}
#endif

// With kWatchKeys, every 'E' is looked at too: at the first that begins an event key,
// the writer stops with `keyInside` set (and what it wrote is to be thrown away).
template <bool kTerminal, bool kWatchKeys>
char* WriteValue(char* to, std::string_view bytes, std::size_t& read, bool& ended,
                 bool& keyInside) {
  const std::array<JsonByte, 256>& table = kTerminal ? kTerminalValueBytes : kJsonValueBytes;
  const char* from = bytes.data();
  const char* const end = from + bytes.size();
  ended = false;
  keyInside = false;
  // The value ends at an LF; every other byte that is not written as itself takes
  // its entry of the table (a CR, none).
#if defined(__SSE2__)
  // 32 bytes at a time, about one value of an event: one mask marks every byte of the
  // window that is not written as itself, and the runs between the marked ones are
  // copied whole. The places come from the mask alone, so that finding the next one
  // does not wait for the bytes written before it.
  constexpr std::ptrdiff_t kWindow = kValueWindow;
  while (end - from >= kWindow) {
    const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
    const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 16));
    std::uint32_t special = MarkedBytes<kTerminal>(low) | MarkedBytes<kTerminal>(high) << 16;
    std::uint32_t keys = 0;
    if constexpr (kWatchKeys) {
      keys = BytesOf(low, high, 'E');
    }
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
    for (keys &= before; keys != 0; keys &= keys - 1u) {
      if (EventKeyAt(bytes, static_cast<std::size_t>(from - bytes.data()) +
                                static_cast<std::size_t>(std::countr_zero(keys)))) {
        keyInside = true;
        return to;
      }
    }
    special &= before;
    // The usual marks: the CR of a line's end, left out, and in JSON a '"' or '\\',
    // which takes a backslash before it. Where the source has the bytes, each is
    // written from the masks alone, without a look at the table: the window's
    // bytes after a mark move by one place, the number of marks before a byte
    // giving its place.
    std::uint32_t escaped = 0;
    if constexpr (!kTerminal) {
      escaped = (BytesOf(low, high, '"') | BytesOf(low, high, '\\')) & special;
    }
    const std::uint32_t crs = BytesOf(low, high, '\r') & special;
    if ((special & ~(crs | escaped)) == 0 && end - from >= 2 * kWindow) {
      to += static_cast<std::ptrdiff_t>(limit) + PlaceMarks(to, from, special, escaped);
    } else {
      std::size_t done = 0;
      for (; special != 0; special &= special - 1u) {
        const auto at = static_cast<std::size_t>(std::countr_zero(special));
        to = CopyRun(to, from + done, at - done, end);
        const JsonByte& entry = table[static_cast<unsigned char>(from[at])];
        std::memcpy(to, entry.text, sizeof entry.text);
        to += entry.length;
        done = at + 1;
      }
      to = CopyRun(to, from + done, limit - done, end);
    }
    if (lf != 0) {
      ended = true;
      read = static_cast<std::size_t>(from - bytes.data()) + limit;
      return to;
    }
    from += kWindow;
  }
#endif
  // Writes the byte at `from` by the table; false, having written nothing, where the
  // value stops: at its LF, or at a key watched for.
  const auto writeOne = [&] {
    if (*from == '\n') {
      ended = true;
      read = static_cast<std::size_t>(from - bytes.data());
      return false;
    }
    if (kWatchKeys && EventKeyAt(bytes, static_cast<std::size_t>(from - bytes.data()))) {
      keyInside = true;
      return false;
    }
    const JsonByte& entry = table[static_cast<unsigned char>(*from)];
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
    std::uint64_t mask = kTerminal ? NotPrintableMask(word) : NeedsEscapeMask(word);
    if constexpr (kWatchKeys) {
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
  read = bytes.size();
  return to;
}

}  // namespace

char* WriteJsonValueChars(char* to, std::string_view bytes, std::size_t& read, bool& ended) {
  bool keyInside = false;
  return WriteValue<false, false>(to, bytes, read, ended, keyInside);
}

char* WriteTerminalValue(char* to, std::string_view bytes, std::size_t& read, bool& ended) {
  bool keyInside = false;
  return WriteValue<true, false>(to, bytes, read, ended, keyInside);
}

char* WriteJsonValueCharsBeforeKeys(char* to, std::string_view bytes, std::size_t& read,
                                    bool& ended, bool& keyInside) {
  return WriteValue<false, true>(to, bytes, read, ended, keyInside);
}

char* WriteTerminalValueBeforeKeys(char* to, std::string_view bytes, std::size_t& read, bool& ended,
                                   bool& keyInside) {
  return WriteValue<true, true>(to, bytes, read, ended, keyInside);
}

char* WriteJsonString(char* to, std::string_view bytes) {
  *to++ = '"';
  to = WriteJsonChars(to, bytes);
  *to++ = '"';
  return to;
}

char* WriteJsonChars(char* to, std::string_view bytes) {
  const char* from = bytes.data();
  const char* const end = from + bytes.size();
  // Comments are mostly plain text: eight bytes that need no escape are copied at
  // once, others byte by byte.
  constexpr std::ptrdiff_t kWord = 8;
  for (; end - from >= kWord; from += kWord) {
    std::uint64_t word;
    std::memcpy(&word, from, kWord);
    if (AnyNeedsEscape(word)) {
      to = WriteBytes(to, from, from + kWord);
    } else {
      std::memcpy(to, from, kWord);
      to += kWord;
    }
  }
  return WriteBytes(to, from, end);
}

void AppendJsonString(std::string& out, std::string_view bytes) {
  const std::size_t start = out.size();
  out.resize(start + JsonStringCapacity(bytes.size()));
  char* end = WriteJsonString(out.data() + start, bytes);
  out.resize(static_cast<std::size_t>(end - out.data()));
}

char* WriteTerminalText(char* to, std::string_view bytes) {
  const char* from = bytes.data();
  const char* const end = from + bytes.size();
  while (from != end) {
    // Printable ASCII, quotes and backslashes included, is copied in runs: eight
    // bytes at once while none of them needs more.
    constexpr std::ptrdiff_t kWord = 8;
    for (std::uint64_t word; end - from >= kWord; from += kWord) {
      std::memcpy(&word, from, kWord);
      if (!AllPrintableAscii(word)) {
        break;
      }
      std::memcpy(to, from, kWord);
      to += kWord;
    }
    const char* plain = from;
    while (plain != end && static_cast<unsigned char>(*plain) >= 0x20 &&
           static_cast<unsigned char>(*plain) < 0x7F) {
      ++plain;
    }
    std::memcpy(to, from, static_cast<std::size_t>(plain - from));
    to += plain - from;
    if (plain == end) {
      break;
    }
    const JsonByte& entry = kTerminalBytes[static_cast<unsigned char>(*plain)];
    std::memcpy(to, entry.text, sizeof entry.text);
    to += entry.length;
    from = plain + 1;
  }
  return to;
}

std::string TerminalText(std::string_view bytes) {
  std::string out(TerminalTextCapacity(bytes.size()), '\0');
  out.resize(static_cast<std::size_t>(WriteTerminalText(out.data(), bytes) - out.data()));
  return out;
}

}  // namespace quorvel::app
