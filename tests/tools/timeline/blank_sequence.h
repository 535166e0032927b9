// Test support: a sequence with nothing on it yet, at 30 frames a second, whose
// animation and axis both end at `lastFrame`.
#pragma once

#include <cstdint>

#include "tools/timeline/sequence.h"

namespace quorvel::testing {

inline timeline::Sequence BlankSequence(std::int64_t lastFrame) {
  timeline::Sequence sequence;
  sequence.frameRate = 30;
  sequence.animationEnd = lastFrame;
  sequence.axisEnd = lastFrame;
  return sequence;
}

}  // namespace quorvel::testing
