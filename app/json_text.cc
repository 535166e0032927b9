#include "app/json_text.h"

#include <array>
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

}  // namespace

char* WriteJsonString(char* to, std::string_view bytes) {
  *to++ = '"';
  for (const char c : bytes) {
    const JsonByte& entry = kJsonBytes[static_cast<unsigned char>(c)];
    std::memcpy(to, entry.text, sizeof entry.text);
    to += entry.length;
  }
  *to++ = '"';
  return to;
}

void AppendJsonString(std::string& out, std::string_view bytes) {
  const std::size_t start = out.size();
  out.resize(start + JsonStringCapacity(bytes.size()));
  char* end = WriteJsonString(out.data() + start, bytes);
  out.resize(static_cast<std::size_t>(end - out.data()));
}

std::string TerminalText(std::string_view bytes) {
  constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(bytes.size());
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += c;
    } else if (byte == 0x7F || (byte >= 0x80 && byte < 0xA0)) {
      out += "\\u00";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    } else {
      const JsonByte& entry = kJsonBytes[byte];
      out.append(entry.text, entry.length);
    }
  }
  return out;
}

}  // namespace quorvel::app
