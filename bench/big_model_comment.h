#pragma once

#include <cstddef>
#include <string>

namespace quorvel::bench {

// The comment of joint `index` in the big model the benchmarks time: a follower's
// type and name, "Num Events=40" and as many event lines as fit in `size` bytes,
// the last one cut where the size ends.
inline std::string BigModelComment(std::size_t index, std::size_t size) {
  std::string text = "Sob Type=" + std::string(index % 3 == 0 ? "ship" : "other") +
                     "\r\nSob Name=Wing\xe9" + std::to_string(index) + "\r\nNum Events=40\r\n";
  for (int i = 0; text.size() < size; ++i) {
    text += "Event" + std::to_string(i) + "=" + std::to_string(i * 10) + "|Speech|\"Line " +
            std::to_string(i) + "\"\r\n";
  }
  text.resize(size);
  return text;
}

}  // namespace quorvel::bench
