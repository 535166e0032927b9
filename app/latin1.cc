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

}  // namespace quorvel::app
