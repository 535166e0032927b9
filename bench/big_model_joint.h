#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace quorvel::bench {

// Joint `index` of the big model the benchmarks time, as make_big_ms3d writes it
// and show_writer_bench builds it in memory.

// Every tenth joint is named as a camera; the others are followers by their comment.
inline std::string BigModelJointName(std::size_t index) {
  return (index % 10 == 0 ? "CAM_" : "Joint") + std::to_string(index);
}

// Every other joint is marked (flag 1).
inline std::uint8_t BigModelJointFlags(std::size_t index) {
  return index % 2 == 0 ? 1 : 0;
}

// The comment of joint `index`: a follower's type and name, "Num Events=40" and as
// many event lines as fit in `size` bytes, the last one cut where the size ends.
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
