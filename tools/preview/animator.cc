#include <algorithm>
#include <array>
#include <cmath>

#include "tools/preview/pose.h"
#include "tools/preview/transform.h"

namespace quorvel::preview {
namespace {

// Only joints 0 to 127 can carry vertices: a vertex names its joints by a signed
// byte.
constexpr std::size_t kSkinJoints = 128;

// global(f) · inverse(global rest) of one joint, as three rows of four.
struct Skin {
  float r[12];
};

Vec3 Add(const Vec3& a, const Vec3& b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vec3 Scale(const Vec3& a, float s) {
  return {a.x * s, a.y * s, a.z * s};
}
Vec3 Subtract(const Vec3& a, const Vec3& b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}

// Where `frame` falls among `keys` (at least two, not all at one frame): the index
// of the key after it and how far it is from the key before (0 to 1). Searched by
// halves without assuming the keys are in order, so that keys out of order give a
// wrong picture and never a fault.
template <typename Key>
std::size_t Segment(const std::vector<Key>& keys, float frame, float& t) {
  std::size_t low = 1;
  std::size_t high = keys.size() - 1;
  while (low < high) {
    const std::size_t middle = low + (high - low) / 2;
    if (keys[middle].frame > frame) {
      high = middle;
    } else {
      low = middle + 1;
    }
  }
  const float span = keys[low].frame - keys[low - 1].frame;
  t = span > 0 ? std::clamp((frame - keys[low - 1].frame) / span, 0.0f, 1.0f) : 0.0f;
  return low;
}

}  // namespace

Animator::Animator(const host::Scene& scene) : scene_(&scene) {
  const std::size_t count = scene.joints.size();
  parent_.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    parent_[i] = scene.joints[i].parent;
  }
  host::BreakParentCycles(parent_);

  // Parents before children: roots in file order, then each joint's children.
  std::vector<std::vector<int>> children(count);
  for (std::size_t i = 0; i < count; ++i) {
    if (parent_[i] == -1) {
      order_.push_back(static_cast<int>(i));
    } else {
      children[static_cast<std::size_t>(parent_[i])].push_back(static_cast<int>(i));
    }
  }
  for (std::size_t next = 0; next < order_.size(); ++next) {
    const auto& below = children[static_cast<std::size_t>(order_[next])];
    order_.insert(order_.end(), below.begin(), below.end());
  }

  const float fps = std::max(scene.framesPerSecond, 1.0f);
  localRest_.resize(count);
  channels_.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    const host::SceneJoint& joint = scene.joints[i];
    localRest_[i] = RotationFromAngles(joint.rotation);
    localRest_[i].m[12] = joint.position.x;
    localRest_[i].m[13] = joint.position.y;
    localRest_[i].m[14] = joint.position.z;

    Channels& channels = channels_[i];
    for (const host::SceneKey& key : joint.rotationKeys) {
      const Quaternion q = QuaternionFromAngles(key.value);
      channels.rotations.push_back({key.time * fps, q.w, q.x, q.y, q.z});
    }
    for (const host::SceneKey& key : joint.positionKeys) {
      channels.positions.push_back({key.time * fps, key.value, {}, {}});
    }
    // Each key's tangent is the next key less the one before, round the ends as a
    // loop, split in proportion to the frames before and after the key. Round the
    // ends the frames are taken as they are (the first key's frames before are its
    // frame less the last key's), as the host takes them; where they cancel out
    // the tangent is zero. With fewer than three keys every tangent is zero.
    auto& keys = channels.positions;
    const std::size_t n = keys.size();
    if (n > 2) {
      for (std::size_t k = 0; k < n; ++k) {
        const PositionKey& before = keys[(k + n - 1) % n];
        const PositionKey& after = keys[(k + 1) % n];
        const Vec3 tangent = Subtract(after.value, before.value);
        const float framesBefore = keys[k].frame - before.frame;
        const float framesAfter = after.frame - keys[k].frame;
        const float frames = framesBefore + framesAfter;
        if (frames != 0 && std::isfinite(frames)) {
          keys[k].tangentIn = Scale(tangent, framesBefore / frames);
          keys[k].tangentOut = Scale(tangent, framesAfter / frames);
        }
      }
    }
  }

  restGlobal_.resize(count);
  for (int joint : order_) {
    const int parent = parent_[static_cast<std::size_t>(joint)];
    restGlobal_[joint] =
        parent == -1 ? localRest_[joint] : Multiply(restGlobal_[parent], localRest_[joint]);
  }
  inverseRestGlobal_.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    inverseRestGlobal_[i] = RigidInverse(restGlobal_[i]);
  }

  // The joints that move each vertex: the leading ones that are there to move it.
  const std::size_t skinned = std::min(count, kSkinJoints);
  jointCount_.resize(scene.vertices.size());
  for (std::size_t v = 0; v < scene.vertices.size(); ++v) {
    const host::SceneVertex& vertex = scene.vertices[v];
    std::uint8_t n = 0;
    while (n < 4 && vertex.joints[n] >= 0 && static_cast<std::size_t>(vertex.joints[n]) < skinned) {
      ++n;
    }
    jointCount_[v] = n;
  }
}

Matrix4 Animator::Animation(const Channels& channels, float frame) const {
  Quaternion rotation;
  const auto& rotations = channels.rotations;
  if (!rotations.empty()) {
    const RotationKey* key = nullptr;
    if (rotations.size() == 1 || frame <= rotations.front().frame) {
      key = &rotations.front();
    } else if (frame >= rotations.back().frame) {
      key = &rotations.back();
    }
    if (key != nullptr) {
      rotation = {key->w, key->x, key->y, key->z};
    } else {
      float t = 0;
      const std::size_t i = Segment(rotations, frame, t);
      const RotationKey& a = rotations[i - 1];
      const RotationKey& b = rotations[i];
      rotation = Slerp({a.w, a.x, a.y, a.z}, {b.w, b.x, b.y, b.z}, t);
    }
  }
  Vec3 position;
  const auto& positions = channels.positions;
  if (!positions.empty()) {
    if (positions.size() == 1 || frame <= positions.front().frame) {
      position = positions.front().value;
    } else if (frame >= positions.back().frame) {
      position = positions.back().value;
    } else {
      float t = 0;
      const std::size_t i = Segment(positions, frame, t);
      const PositionKey& a = positions[i - 1];
      const PositionKey& b = positions[i];
      const float t2 = t * t;
      const float t3 = t2 * t;
      const float h1 = 2 * t3 - 3 * t2 + 1;
      const float h2 = -2 * t3 + 3 * t2;
      const float h3 = t3 - 2 * t2 + t;
      const float h4 = t3 - t2;
      position = Add(Add(Scale(a.value, h1), Scale(a.tangentOut, h3)),
                     Add(Scale(b.value, h2), Scale(b.tangentIn, h4)));
    }
  }
  return MatrixFromQuaternion(rotation, position);
}

void Animator::Evaluate(double frame, Pose& pose) const {
  const host::Scene& scene = *scene_;
  const float at = static_cast<float>(frame);
  const std::size_t count = scene.joints.size();
  pose.jointGlobal.resize(count);
  for (int joint : order_) {
    const Matrix4 local = Multiply(localRest_[joint], Animation(channels_[joint], at));
    const int parent = parent_[static_cast<std::size_t>(joint)];
    pose.jointGlobal[joint] = parent == -1 ? local : Multiply(pose.jointGlobal[parent], local);
  }

  std::array<Skin, kSkinJoints> skins;
  for (std::size_t j = 0; j < std::min(count, kSkinJoints); ++j) {
    const Matrix4 s = Multiply(pose.jointGlobal[j], inverseRestGlobal_[j]);
    for (int row = 0; row < 3; ++row) {
      for (int column = 0; column < 4; ++column) {
        skins[j].r[row * 4 + column] = s.m[column * 4 + row];
      }
    }
  }

  const std::size_t vertices = scene.vertices.size();
  pose.positions.resize(vertices);
  for (std::size_t v = 0; v < vertices; ++v) {
    const host::SceneVertex& vertex = scene.vertices[v];
    const Vec3& p = vertex.position;
    const std::uint8_t n = jointCount_[v];
    if (n == 0) {
      pose.positions[v] = p;
      continue;
    }
    float x = 0, y = 0, z = 0;
    for (std::uint8_t i = 0; i < n; ++i) {
      const float* r = skins[static_cast<std::size_t>(vertex.joints[i])].r;
      const float w = vertex.weights[i];
      x += w * (r[0] * p.x + r[1] * p.y + r[2] * p.z + r[3]);
      y += w * (r[4] * p.x + r[5] * p.y + r[6] * p.z + r[7]);
      z += w * (r[8] * p.x + r[9] * p.y + r[10] * p.z + r[11]);
    }
    pose.positions[v] = {x, y, z};
  }

  pose.normals.resize(scene.triangles.size() * 3);
  Vec3* normal = pose.normals.data();
  for (const host::SceneTriangle& triangle : scene.triangles) {
    for (int corner = 0; corner < 3; ++corner, ++normal) {
      const std::uint16_t v = triangle.vertices[corner];
      const Vec3& d = triangle.normals[corner];
      const std::uint8_t n = v < vertices ? jointCount_[v] : 0;
      if (n == 0) {
        *normal = d;
        continue;
      }
      const host::SceneVertex& vertex = scene.vertices[v];
      float x = 0, y = 0, z = 0;
      for (std::uint8_t i = 0; i < n; ++i) {
        const float* r = skins[static_cast<std::size_t>(vertex.joints[i])].r;
        const float w = vertex.weights[i];
        x += w * (r[0] * d.x + r[1] * d.y + r[2] * d.z);
        y += w * (r[4] * d.x + r[5] * d.y + r[6] * d.z);
        z += w * (r[8] * d.x + r[9] * d.y + r[10] * d.z);
      }
      *normal = {x, y, z};
    }
  }
}

}  // namespace quorvel::preview
