#include "tools/preview/shot_starts.h"

#include <algorithm>

namespace quorvel::preview {

std::vector<std::int64_t> ShotStarts(const nis::NisTimeline& timeline) {
  std::vector<std::int64_t> starts{0};
  const std::int64_t last = std::max<std::int64_t>(timeline.Input().lastFrame, 0);
  int camera = timeline.At(0).liveCamera;
  for (std::int64_t frame = 1; frame <= last; ++frame) {
    const int now = timeline.At(frame).liveCamera;
    if (now != camera) {
      starts.push_back(frame);
      camera = now;
    }
  }
  return starts;
}

}  // namespace quorvel::preview
