#include "tools/timeline/xml_text.h"

namespace quorvel::timeline {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// The length of the well-formed UTF-8 character at the start of `text` and its code
// point; length 0 when the bytes there are not one.
std::size_t CharacterAt(std::string_view text, char32_t& point) {
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
  const char32_t least = length == 3 ? 0x800 : length == 4 ? 0x10000 : 0x80;
  if (point < least || (point >= 0xD800 && point <= 0xDFFF) || point > 0x10FFFF) {
    return 0;
  }
  return length;
}

bool AllowedInXml(char32_t point) {
  if (point < 0x20) {
    return point == '\t' || point == '\n';
  }
  return point != 0xFFFE && point != 0xFFFF;
}

}  // namespace

void AppendXmlText(std::string& out, std::string_view utf8) {
  std::size_t i = 0;
  while (i < utf8.size()) {
    const char c = utf8[i];
    switch (c) {
      case '&':
        out += "&amp;";
        ++i;
        continue;
      case '<':
        out += "&lt;";
        ++i;
        continue;
      case '>':
        out += "&gt;";
        ++i;
        continue;
      case '"':
        out += "&quot;";
        ++i;
        continue;
      default:
        break;
    }
    char32_t point = 0;
    const std::size_t length = CharacterAt(utf8.substr(i), point);
    if (length == 0) {
      out += kReplacement;  // one byte that begins no character
      ++i;
    } else {
      if (AllowedInXml(point)) {
        out.append(utf8.substr(i, length));
      } else {
        out += kReplacement;
      }
      i += length;
    }
  }
}

std::string XmlText(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  AppendXmlText(out, utf8);
  return out;
}

}  // namespace quorvel::timeline
