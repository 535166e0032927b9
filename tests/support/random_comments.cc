#include "tests/support/random_comments.h"

#include <cstddef>
#include <iterator>
#include <utility>
#include <vector>

namespace quorvel::testing {

std::string RandomComment(std::mt19937& random) {
  auto pick = [&random](std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
  };
  static const char* const kKeys[] = {"Sob Type",   "Sob Name", "Center Of Interest",
                                      "Num Events", "Event",    "Event0",
                                      "Event1",     "Event01",  "OPT_FPS"};
  static const char* const kSeparators[] = {"=", "=", "=", " ", ":", "\n", "\r", ""};
  static const char* const kLineEnds[] = {"\r\n", "\r\n", "\n", "\r\r\n", "\r", ""};
  static const char* const kCounts[] = {"0",   "1",   "3",          "7", "12", "2\r5",
                                        "1e1", "abc", "4294967297", "",  " 3", "ship"};
  // The host hands a comment that begins with NUL bytes out from its first other
  // byte, and one of NUL bytes only as a blank.
  std::string comment(pick(8) == 0 ? 1 + pick(3) : 0, '\0');
  const std::size_t lines = pick(30);
  for (std::size_t line = 0; line < lines; ++line) {
    const std::size_t kind = pick(12);
    if (kind < 5) {
      comment += "Event" + std::to_string(pick(14));  // duplicates and gaps
    } else if (kind == 5) {
      comment += "Num Events";
      comment += kSeparators[pick(std::size(kSeparators))];
      comment += kCounts[pick(std::size(kCounts))];
      comment += kLineEnds[pick(std::size(kLineEnds))];
      continue;
    } else {
      comment += kKeys[pick(std::size(kKeys))];
    }
    comment += kSeparators[pick(std::size(kSeparators))];
    const std::size_t length = pick(5) == 0 ? pick(9000) : pick(24);
    for (std::size_t i = 0; i < length; ++i) {
      const std::size_t byteKind = pick(40);
      if (byteKind == 0) {
        comment += static_cast<char>(pick(0x20));  // control bytes, LF and CR too
      } else if (byteKind == 1) {
        comment += static_cast<char>(0x7F + pick(0x81));
      } else if (byteKind == 2) {
        comment += pick(2) == 0 ? '"' : '\\';
      } else if (byteKind == 3) {
        comment += kKeys[pick(std::size(kKeys))];  // keys inside values
      } else {
        comment += static_cast<char>('a' + pick(26));
      }
    }
    comment += kLineEnds[pick(std::size(kLineEnds))];
  }
  if (pick(8) == 0) {
    comment += "ship";
  }
  return comment;
}

std::string InOrderComment(std::mt19937& random) {
  auto pick = [&random](std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
  };
  static const char* const kValues[] = {"0|fadeSet|1",
                                        "10|attack|\"Mothership\"",
                                        "320|Speech|\"Line 3\"",
                                        "",
                                        "5|x|\x01\xe9\\",
                                        "7|Enemy|E",
                                        "12|a\rb|c",
                                        "4|del|\x7f",
                                        "6|b|\\\\\"\"\\"};
  const std::size_t count = pick(5) == 0 ? 95 + pick(20) : pick(16);
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < count; ++i) {
    // Now and then a value of 29 to 32 bytes: its line's end falls at the end of the
    // writers' 32-byte window, or just past it.
    const std::string value = pick(6) == 0 ? "9|pad|" + std::string(23 + pick(4), 'x')
                                           : kValues[pick(std::size(kValues))];
    lines.push_back("Event" + std::to_string(i) + "=" + value);
  }
  std::string stated = std::to_string(count);
  const std::size_t disturbance = pick(16);
  if (!lines.empty()) {
    const std::size_t at = pick(lines.size());
    const std::size_t other = pick(lines.size());
    switch (disturbance) {
      case 0:
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at));
        break;
      case 1:
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), lines[other]);
        break;
      case 2:
        std::swap(lines[at], lines[other]);
        break;
      case 3:
        lines[at].insert(5 + std::to_string(at).size(), std::to_string(pick(10)));
        break;
      case 4:
        lines[at] += " see Event" + std::to_string(pick(count + 2));
        break;
      case 5:
        lines[at] += " Events";
        break;
      case 6:
        if (pick(3) == 0) {
          lines[at].insert(5 + std::to_string(at).size(), "Event" + std::to_string(pick(count)));
        } else {
          lines[at][5 + std::to_string(at).size()] = "E:\n "[pick(4)];
        }
        break;
      case 7:
        lines[at].resize(pick(lines[at].size() + 1));
        break;
      default:
        break;
    }
  }
  if (disturbance == 8) {
    stated = std::to_string(count + 1 + pick(3));
  } else if (disturbance == 9 && count > 0) {
    stated = std::to_string(count - 1 - pick(count));
  } else if (disturbance == 10) {
    stated = pick(2) == 0 ? "abc" : "20000";
  }
  std::string comment =
      pick(2) == 0 ? "Sob Type=ship\r\nSob Name=Alpha\r\n" : "Center Of Interest=Fighter1\r\n";
  if (disturbance == 11) {
    comment += "Note=Event" + std::to_string(pick(count + 1)) + "\r\n";
  }
  comment += "Num Events=" + stated + "\r\n";
  const char* const lineEnd = disturbance == 12 ? "\n" : disturbance == 13 ? "\r\r\n" : "\r\n";
  for (std::size_t i = 0; i < lines.size(); ++i) {
    comment += lines[i];
    if (i + 1 < lines.size() || disturbance != 14) {
      comment += lineEnd;
    }
  }
  if (disturbance == 15) {
    comment += "Center Of Interest=late\r\nEvent" + std::to_string(pick(count + 2)) + "=x\r\n";
  }
  return comment;
}

std::string RandomName(std::mt19937& random) {
  static const char* const kNames[] = {"CAM_", "IG_",      "ZRoot",   "Fighter",
                                       "CAM",  "\x1b\xe9", "Ship\x9b"};
  std::string name = kNames[std::uniform_int_distribution<std::size_t>(0, 6)(random)];
  name += std::to_string(random() % 100);
  return name;
}

}  // namespace quorvel::testing
