#include "framework/core/latin1.h"

namespace quorvel::ui {

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

std::optional<std::string> Utf8ToLatin1(std::string_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      bytes.push_back(static_cast<char>(lead));
      continue;
    }
    // Only the two-byte forms of U+0080 to U+00FF come back to one byte.
    if ((lead != 0xC2 && lead != 0xC3) || i + 1 == text.size()) {
      return std::nullopt;
    }
    const auto next = static_cast<unsigned char>(text[++i]);
    if ((next & 0xC0) != 0x80) {
      return std::nullopt;
    }
    bytes.push_back(static_cast<char>(((lead & 0x03) << 6) | (next & 0x3F)));
  }
  return bytes;
}

std::size_t Utf8CharacterAt(std::string_view text, char32_t& point) {
  if (text.empty()) {
    return 0;
  }
  const auto lead = static_cast<unsigned char>(text[0]);
  std::size_t length = 0;
  if (lead < 0x80) {
    point = lead;
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    point = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    point = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    point = lead & 0x07;
  } else {
    return 0;
  }
  if (text.size() < length) {
    return 0;
  }
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[k]);
    if ((next & 0xC0) != 0x80) {
      return 0;
    }
    point = point << 6 | (next & 0x3F);
  }
  // No overlong forms, no surrogates, nothing past U+10FFFF.
  const char32_t least = length == 3 ? 0x800 : length == 4 ? 0x10000 : 0x80;
  if (point < least || (point >= 0xD800 && point <= 0xDFFF) || point > 0x10FFFF) {
    return 0;
  }
  return length;
}

bool IsUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      ++i;  // the common case, without the call
      continue;
    }
    char32_t point = 0;
    const std::size_t length = Utf8CharacterAt(text.substr(i), point);
    if (length == 0) {
      return false;
    }
    i += length;
  }
  return true;
}

std::string ShownText(std::string_view text) {
  return IsUtf8(text) ? std::string(text) : Latin1ToUtf8(text);
}

}  // namespace quorvel::ui
