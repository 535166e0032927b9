#include "tools/quorvel/json_text.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <initializer_list>

#include "plugin/attributes/comment_scan.h"

namespace quorvel::app {

namespace {

// What each byte becomes inside a JSON string, padded to eight characters so that
// every byte is written by one fixed-size copy, without a branch on its kind.
using JsonByte = ByteText;

constexpr ByteTexts kJsonBytes = [] {
  constexpr char kHex[] = "0123456789abcdef";
  ByteTexts table{};
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
constexpr ByteTexts kTerminalBytes = [] {
  constexpr char kHex[] = "0123456789abcdef";
  ByteTexts table = kJsonBytes;
  table['"'] = {{'"'}, 1};
  table['\\'] = {{'\\'}, 1};
  for (int byte = 0x7F; byte < 0xA0; ++byte) {
    table[static_cast<std::size_t>(byte)] = {
        {'\\', 'u', '0', '0', kHex[byte >> 4], kHex[byte & 0xF]}, 6};
  }
  return table;
}();

// Values as the comment scanner reads them: in JSON '"' and '\\' take a backslash;
// in a terminal DEL is written as \u007f.
constexpr ValueCoding kJsonValueCoding = MakeValueCoding(kJsonBytes, '"', '\\');
constexpr ValueCoding kTerminalValueCoding = MakeValueCoding(kTerminalBytes, 0x7F, 0x7F);

// Whether any of the eight bytes in `word` is written as more than itself in JSON:
// a control character, '"', '\\' or a byte from 0x80 up.
constexpr bool AnyNeedsEscape(std::uint64_t word) {
  return MarkedBytesOfWord(word, kJsonValueCoding) != 0;
}

// The same for a terminal: whether all are printable ASCII (0x20 to 0x7E).
constexpr bool AllPrintableAscii(std::uint64_t word) {
  return MarkedBytesOfWord(word, kTerminalValueCoding) == 0;
}

char* WriteBytes(char* to, const char* from, const char* end) {
  for (; from != end; ++from) {
    const JsonByte& entry = kJsonBytes[static_cast<unsigned char>(*from)];
    std::memcpy(to, entry.text, sizeof entry.text);
    to += entry.length;
  }
  return to;
}

}  // namespace

const ValueCoding& JsonValueCoding() {
  return kJsonValueCoding;
}

const ValueCoding& TerminalValueCoding() {
  return kTerminalValueCoding;
}

namespace {

char* Transcribe(char* to, std::string_view bytes, const ValueCoding& coding, std::size_t& read,
                 bool& ended) {
  ValueStop stop;
  to = TranscribeValue(to, bytes, coding, false, stop);
  read = stop.read;
  ended = stop.ended;
  return to;
}

}  // namespace

char* WriteJsonValueChars(char* to, std::string_view bytes, std::size_t& read, bool& ended) {
  return Transcribe(to, bytes, kJsonValueCoding, read, ended);
}

char* WriteTerminalValue(char* to, std::string_view bytes, std::size_t& read, bool& ended) {
  return Transcribe(to, bytes, kTerminalValueCoding, read, ended);
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
