// Where the shots of a sequence begin, for the storyboard.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/nis/nis_state.h"

namespace quorvel::preview {

// The frames where a shot begins: the first frame, and each frame whose live camera
// differs from the frame's before (a cut), up to the sequence's last frame.
std::vector<std::int64_t> ShotStarts(const nis::NisTimeline& timeline);

}  // namespace quorvel::preview
