#include "tools/preview/shot_starts.h"

#include <algorithm>

namespace quorvel::preview {

// The live camera changes only where an event fires, so only those frames are
// looked at: a sequence whose last event lies a billion frames on costs no more
// than one with the same events close together.
std::vector<std::int64_t> ShotStarts(const nis::NisTimeline& timeline) {
  const nis::SequenceInput& input = timeline.Input();
  const std::int64_t last = std::max<std::int64_t>(input.lastFrame, 0);
  std::vector<std::int64_t> frames;
  const auto add = [&](const std::vector<nis::TimedEvent>& events) {
    for (const nis::TimedEvent& event : events) {
      if (event.frame > 0 && event.frame <= last) {
        frames.push_back(event.frame);
      }
    }
  };
  add(input.modelEvents);
  for (const nis::SequenceJoint& joint : input.joints) {
    add(joint.events);
  }
  std::sort(frames.begin(), frames.end());
  frames.erase(std::unique(frames.begin(), frames.end()), frames.end());
  std::vector<std::int64_t> starts{0};
  int camera = timeline.At(0).liveCamera;
  for (std::int64_t frame : frames) {
    const int now = timeline.At(frame).liveCamera;
    if (now != camera) {
      starts.push_back(frame);
      camera = now;
    }
  }
  return starts;
}

std::int64_t ShotPictureFrame(const nis::NisTimeline& timeline, std::int64_t start,
                              std::int64_t end) {
  constexpr std::int64_t kMostLookedAt = 256;
  const std::int64_t length = std::max<std::int64_t>(end - start, 1);
  const std::int64_t step = std::max<std::int64_t>(1, (length + kMostLookedAt - 1) / kMostLookedAt);
  std::int64_t best = start;
  float bestFade = timeline.At(start).fade;
  for (std::int64_t frame = start + step; frame < start + length && bestFade > 0; frame += step) {
    const float fade = timeline.At(frame).fade;
    if (fade < bestFade) {
      best = frame;
      bestFade = fade;
    }
  }
  return best;
}

}  // namespace quorvel::preview
