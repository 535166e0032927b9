#include "tools/timeline/xml_text.h"

#include "framework/core/latin1.h"

namespace quorvel::timeline {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

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
    const std::size_t length = ui::Utf8CharacterAt(utf8.substr(i), point);
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
