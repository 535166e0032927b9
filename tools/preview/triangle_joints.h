// Which joint a triangle belongs to, for hiding it with its joint: the joint that
// moves its three vertices most, their weights summed per joint (ties go to the
// joint of lower index). A triangle no joint moves belongs to none and is never
// hidden.
#pragma once

#include <vector>

#include "host/scene.h"

namespace quorvel::preview {

// Per triangle, its joint's index, or -1. Vertex and joint indices out of range
// count as no joint.
std::vector<int> TriangleJoints(const host::Scene& scene);

// Per triangle, whether it is hidden: its joint is, by `hiddenJoints` (per joint;
// a shorter list hides nothing past its end).
std::vector<bool> HiddenTriangles(const std::vector<int>& triangleJoints,
                                  const std::vector<bool>& hiddenJoints);

}  // namespace quorvel::preview
