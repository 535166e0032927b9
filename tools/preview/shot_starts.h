// Where the shots of a sequence begin, for the storyboard.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/nis/nis_state.h"

namespace quorvel::preview {

// The frames where a shot begins: the first frame, and each frame whose live camera
// differs from the frame's before (a cut), up to the sequence's last frame.
std::vector<std::int64_t> ShotStarts(const nis::NisTimeline& timeline);

// The frame that pictures the shot from `start` up to (not including) `end`: its
// first frame with no fade at all, so that a sequence that opens faded out and fades
// in shows its first shot, not a black picture; else the frame of the least fade;
// the start when the whole shot is as dark. At most a few hundred frames of a long
// shot are looked at, evenly spread.
std::int64_t ShotPictureFrame(const nis::NisTimeline& timeline, std::int64_t start,
                              std::int64_t end);

}  // namespace quorvel::preview
