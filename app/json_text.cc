#include "app/json_text.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <initializer_list>

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

// The high bit of each of the eight bytes in `word` (in memory order from the low
// end) that is written as more than itself: a control character, '"', '\\' or a
// byte from 0x80 up. By the usual tests for a zero byte and a byte below a bound,
// which may also mark bytes after the first marked one but never before it: the
// lowest mark is exact, and so is whether there is any.
constexpr std::uint64_t NeedsEscapeMask(std::uint64_t word) {
  constexpr std::uint64_t kOnes = 0x0101010101010101u;
  constexpr std::uint64_t kHighs = 0x8080808080808080u;
  const auto hasZero = [](std::uint64_t v) { return (v - kOnes) & ~v & kHighs; };
  const std::uint64_t below20 = (word - kOnes * 0x20) & ~word & kHighs;
  return (word & kHighs) | below20 | hasZero(word ^ (kOnes * '"')) | hasZero(word ^ (kOnes * '\\'));
}

constexpr bool AnyNeedsEscape(std::uint64_t word) {
  return NeedsEscapeMask(word) != 0;
}

// The same for a terminal: the bytes that are not printable ASCII (0x20 to 0x7E).
constexpr std::uint64_t NotPrintableMask(std::uint64_t word) {
  constexpr std::uint64_t kOnes = 0x0101010101010101u;
  constexpr std::uint64_t kHighs = 0x8080808080808080u;
  const std::uint64_t below20 = (word - kOnes * 0x20) & ~word & kHighs;
  const std::uint64_t del = word ^ (kOnes * 0x7F);
  return (word & kHighs) | below20 | ((del - kOnes) & ~del & kHighs);
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

char* WriteJsonByte(char* to, unsigned char byte) {
  const JsonByte& entry = kJsonBytes[byte];
  std::memcpy(to, entry.text, sizeof entry.text);
  return to + entry.length;
}

// One byte that is not printable ASCII, for a terminal.
char* WriteTerminalByte(char* to, unsigned char byte) {
  constexpr char kHex[] = "0123456789abcdef";
  if (byte == 0x7F || (byte >= 0x80 && byte < 0xA0)) {
    const char escape[] = {'\\', 'u', '0', '0', kHex[byte >> 4], kHex[byte & 0xF]};
    std::memcpy(to, escape, sizeof escape);
    return to + sizeof escape;
  }
  return WriteJsonByte(to, byte);
}

template <bool kTerminal>
char* WriteValue(char* to, std::string_view bytes, std::size_t& read, bool& ended) {
  const char* from = bytes.data();
  const char* const end = from + bytes.size();
  constexpr std::ptrdiff_t kWord = 8;
  ended = false;
  // One byte that is written as more than itself: the value ends at an LF, a CR is
  // left out. False at the LF.
  const auto special = [&to](unsigned char byte) {
    if (byte == '\n') {
      return false;
    }
    if (byte != '\r') {
      to = kTerminal ? WriteTerminalByte(to, byte) : WriteJsonByte(to, byte);
    }
    return true;
  };
  // Eight bytes at a time: the plain ones before the first that needs more are
  // copied at once (with the rest of the word, which the next step overwrites).
  // The first byte in memory must be the lowest for the mask to find it.
  constexpr bool kLittleEndian = std::endian::native == std::endian::little;
  while (kLittleEndian && end - from >= kWord) {
    std::uint64_t word;
    std::memcpy(&word, from, kWord);
    const std::uint64_t mask = kTerminal ? NotPrintableMask(word) : NeedsEscapeMask(word);
    std::memcpy(to, from, kWord);
    if (mask == 0) {
      to += kWord;
      from += kWord;
      continue;
    }
    const auto plain = static_cast<std::ptrdiff_t>(std::countr_zero(mask) / 8);
    to += plain;
    from += plain;
    if (!special(static_cast<unsigned char>(*from))) {
      ended = true;
      read = static_cast<std::size_t>(from - bytes.data());
      return to;
    }
    ++from;
  }
  for (; from != end; ++from) {
    const auto byte = static_cast<unsigned char>(*from);
    if (kTerminal ? byte >= 0x20 && byte < 0x7F
                  : byte >= 0x20 && byte < 0x80 && byte != '"' && byte != '\\') {
      *to++ = static_cast<char>(byte);
    } else if (!special(byte)) {
      ended = true;
      read = static_cast<std::size_t>(from - bytes.data());
      return to;
    }
  }
  read = bytes.size();
  return to;
}

}  // namespace

char* WriteJsonValueChars(char* to, std::string_view bytes, std::size_t& read, bool& ended) {
  return WriteValue<false>(to, bytes, read, ended);
}

char* WriteTerminalValue(char* to, std::string_view bytes, std::size_t& read, bool& ended) {
  return WriteValue<true>(to, bytes, read, ended);
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
  constexpr char kHex[] = "0123456789abcdef";
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
    const auto byte = static_cast<unsigned char>(*plain);
    from = plain + 1;
    if (byte == 0x7F || (byte >= 0x80 && byte < 0xA0)) {
      const char escape[] = {'\\', 'u', '0', '0', kHex[byte >> 4], kHex[byte & 0xF]};
      std::memcpy(to, escape, sizeof escape);
      to += sizeof escape;
    } else {
      const JsonByte& entry = kJsonBytes[byte];
      std::memcpy(to, entry.text, sizeof entry.text);
      to += entry.length;
    }
  }
  return to;
}

std::string TerminalText(std::string_view bytes) {
  std::string out(TerminalTextCapacity(bytes.size()), '\0');
  out.resize(static_cast<std::size_t>(WriteTerminalText(out.data(), bytes) - out.data()));
  return out;
}

}  // namespace quorvel::app
