#include "app/latin1.h"

namespace quorvel::app {

std::string Latin1ToUtf8(std::string_view bytes) {
  std::size_t high = 0;
  for (char c : bytes) {
    high += static_cast<unsigned char>(c) >> 7;
  }
  if (high == 0) {
    return std::string(bytes);
  }
  // Sized once and filled in place: dumps run through tens of megabytes of text.
  std::string text(bytes.size() + high, '\0');
  char* out = text.data();
  for (char c : bytes) {
    auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      *out++ = c;
    } else {
      *out++ = static_cast<char>(0xC0 | (byte >> 6));
      *out++ = static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return text;
}

void AppendJsonString(std::string& out, std::string_view bytes) {
  static constexpr char kHex[] = "0123456789abcdef";
  out.push_back('"');
  std::size_t run = 0;  // start of the plain characters not yet appended
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte >= 0x20 && byte < 0x80 && byte != '"' && byte != '\\') {
      continue;
    }
    out.append(bytes.substr(run, i - run));
    run = i + 1;
    if (byte >= 0x80) {
      out.push_back(static_cast<char>(0xC0 | (byte >> 6)));
      out.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
      continue;
    }
    out.push_back('\\');
    switch (byte) {
      case '"':
      case '\\':
        out.push_back(static_cast<char>(byte));
        break;
      case '\b':
        out.push_back('b');
        break;
      case '\f':
        out.push_back('f');
        break;
      case '\n':
        out.push_back('n');
        break;
      case '\r':
        out.push_back('r');
        break;
      case '\t':
        out.push_back('t');
        break;
      default:
        out.append("u00");
        out.push_back(kHex[byte >> 4]);
        out.push_back(kHex[byte & 0xF]);
    }
  }
  out.append(bytes.substr(run));
  out.push_back('"');
}

}  // namespace quorvel::app
