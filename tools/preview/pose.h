// The model at one moment of its animation, evaluated as the modeller evaluates it:
// each joint's channels at the frame, the parent chain, and the vertices skinned
// against the rest pose.
#pragma once

#include <array>
#include <cstdint>
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
  // Per triangle corner: triangle * 3 + corner. Turned by the weighted rotations of
  // the corner's vertex and not made unit again: a vertex between joints turned
  // apart gets a slightly shorter normal, which a renderer normalises.
  std::vector<Vec3> normals;
};

// Holds what does not change from frame to frame (parents in evaluation order, the
// inverse global rest matrices, the keys at their frames with their tangents), so
// that evaluating a frame only evaluates. The scene must outlive the animator.
//
// The host's own rules: a key stands at its time times the frames per second (a
// value below 1 counts as 1); before the first key of a channel its value holds, at
// and after the last the last's. Between keys rotations follow the spherical
// interpolation of the keys' quaternions and positions a cubic Hermite curve. A
// channel without keys is the identity. local = local rest · animation, global =
// parent's global · local, and a vertex is the weighted sum of global(f) ·
// inverse(global rest) · v over its joints; one with no joint does not move.
class Animator {
 public:
  explicit Animator(const host::Scene& scene);
  // `frame` in the file's own frames (key time x frames per second); fractions
  // interpolate. Reuses the storage of `pose`: after the first frame it allocates
  // nothing.
  void Evaluate(double frame, Pose& pose) const;

  // The rest pose: each joint's global rest matrix.
  const std::vector<Matrix4>& RestGlobal() const { return restGlobal_; }

 private:
  struct RotationKey {
    float frame;
    float w, x, y, z;  // the key's quaternion
  };
  struct PositionKey {
    float frame;
    Vec3 value;
    Vec3 tangentIn;
    Vec3 tangentOut;
  };
  struct Channels {
    std::vector<RotationKey> rotations;
    std::vector<PositionKey> positions;
  };

  // The joint's animation matrix at `frame`: its rotation with its position.
  Matrix4 Animation(const Channels& channels, float frame) const;

  const host::Scene* scene_;
  std::vector<int> order_;   // joints with every parent before its children
  std::vector<int> parent_;  // per joint, -1 for a root; every chain ends
  std::vector<Matrix4> localRest_;
  std::vector<Channels> channels_;
  std::vector<Matrix4> restGlobal_;
  std::vector<Matrix4> inverseRestGlobal_;
  // Per vertex, how many of its joints move it (0: it does not move).
  std::vector<std::uint8_t> jointCount_;
};

}  // namespace quorvel::preview
