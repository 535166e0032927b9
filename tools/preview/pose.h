// The model at one moment of its animation, evaluated as the modeller evaluates it:
// each joint's channels at the frame, the parent chain, and the vertices skinned
// against the rest pose.
#pragma once

#include <array>
#include <vector>

#include "host/scene.h"

namespace quorvel::preview {

using host::Vec3;

// A 4x4 matrix, column-major (m[column * 4 + row]), acting on column vectors.
struct Matrix4 {
  std::array<float, 16> m = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
};

struct Pose {
  std::vector<Matrix4> jointGlobal;  // per joint, model space at the frame
  std::vector<Vec3> positions;       // per vertex
  std::vector<Vec3> normals;         // per triangle corner: triangle * 3 + corner
};

// Holds what does not change from frame to frame (parents in evaluation order, the
// inverse global rest matrices), so that evaluating a frame only evaluates.
class Animator {
 public:
  explicit Animator(const host::Scene& scene);
  // `frame` in the file's own frames (key time x frames per second); fractions
  // interpolate. Reuses the storage of `pose`.
  void Evaluate(double frame, Pose& pose) const;

 private:
  struct Data;
  const host::Scene* scene_;
  std::vector<int> order_;  // joints with every parent before its children
  std::vector<Matrix4> restGlobal_;
  std::vector<Matrix4> inverseRestGlobal_;
};

}  // namespace quorvel::preview
