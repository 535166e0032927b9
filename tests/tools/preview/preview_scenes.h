// Scenes for the preview's tests, made in memory: boxes of one colour, each moved
// by a joint of its own, and their rest pose.
#pragma once

#include <string>

#include "host/scene.h"
#include "tools/preview/pose.h"

namespace quorvel::preview::testing {

// Adds a box of half-size `half` about `centre`, in a group and material of its own
// with diffuse `colour`, its vertices bound wholly to a new joint named `joint`.
void AddBox(host::Scene& scene, const std::string& joint, host::Vec3 centre, float half,
            std::array<float, 4> colour);

// The scene at rest: vertices where they lie, normals as the triangles give them.
Pose RestPose(const host::Scene& scene);

}  // namespace quorvel::preview::testing
