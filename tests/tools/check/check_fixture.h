#pragma once

#include <string>
#include <vector>

#include "host/model.h"
#include "tools/check/model_check.h"

namespace quorvel::testing {

// A small sequence that breaks no rule: the model cuts to a camera and goes wide
// screen; the camera looks at a ship that attacks another; an unmarked asteroid.
//   0 ZU2_Root, 1 CAM_Main (marked), 2 Fighter1 (ship, marked),
//   3 Mother (ship, marked), 4 Rock (asteroid, not marked); 300 frames.
host::Model CleanModel();

// A follower comment in the record's written form.
std::string FollowerComment(const std::string& type, const std::string& name,
                            const std::vector<std::string>& events);

// Checks a model held in memory.
check::ProblemList CheckInMemory(const host::Model& model, const check::CheckOptions& options = {});

}  // namespace quorvel::testing
