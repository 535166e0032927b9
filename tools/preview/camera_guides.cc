#include "tools/preview/camera_guides.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace quorvel::preview {
namespace {

Vec3 Add(Vec3 a, Vec3 b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vec3 Sub(Vec3 a, Vec3 b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec3 Scale(Vec3 a, float s) {
  return {a.x * s, a.y * s, a.z * s};
}
Vec3 Cross(Vec3 a, Vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
Vec3 Normalized(Vec3 a, Vec3 fallback) {
  const float length = std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z);
  return length > 1e-12f ? Scale(a, 1 / length) : fallback;
}

Vec3 JointPosition(const Pose& pose, int joint) {
  const auto& m = pose.jointGlobal[static_cast<std::size_t>(joint)].m;
  return {m[12], m[13], m[14]};
}

}  // namespace

std::vector<CameraJoint> CameraJoints(const host::Scene& scene, const nis::NisTimeline& timeline) {
  std::vector<CameraJoint> cameras;
  const auto& joints = timeline.Input().joints;
  for (std::size_t i = 0; i < joints.size() && i < scene.joints.size(); ++i) {
    if (joints[i].role != nis::JointRole::kCamera) {
      continue;
    }
    CameraJoint camera{static_cast<int>(i), -1};
    for (std::size_t j = 0; j < scene.joints.size(); ++j) {
      if (!joints[i].centreOfInterest.empty() &&
          scene.joints[j].name == joints[i].centreOfInterest) {
        camera.centreOfInterest = static_cast<int>(j);
        break;
      }
    }
    cameras.push_back(camera);
  }
  return cameras;
}

std::vector<GuideLine> CameraFrustums(const host::Scene& scene, const Pose& pose,
                                      const std::vector<CameraJoint>& cameras, int liveCamera,
                                      float size) {
  std::vector<GuideLine> lines;
  for (const CameraJoint& camera : cameras) {
    if (static_cast<std::size_t>(camera.joint) >= pose.jointGlobal.size()) {
      continue;
    }
    const CameraView view = LiveCameraView(scene, pose, camera.joint, camera.centreOfInterest);
    const Vec3 forward = Normalized(Sub(view.target, view.eye), {0, 0, -1});
    const Vec3 right = Normalized(Cross(forward, view.up), {1, 0, 0});
    const Vec3 up = Cross(right, forward);
    const float half = size * std::tan(view.verticalFieldOfViewDegrees * 3.14159265f / 360);
    const Vec3 centre = Add(view.eye, Scale(forward, size));
    std::array<Vec3, 4> corners;
    for (int i = 0; i < 4; ++i) {
      const float sx = (i == 0 || i == 3) ? -1.0f : 1.0f;
      const float sy = i < 2 ? 1.0f : -1.0f;
      corners[static_cast<std::size_t>(i)] =
          Add(centre, Add(Scale(right, sx * half * 16 / 9), Scale(up, sy * half)));
    }
    const bool live = camera.joint == liveCamera;
    for (std::size_t i = 0; i < 4; ++i) {
      lines.push_back({view.eye, corners[i], live});
      lines.push_back({corners[i], corners[(i + 1) % 4], live});
    }
  }
  return lines;
}

std::vector<GuideLine> CameraPaths(const FrameMaker& maker, const std::vector<CameraJoint>& cameras,
                                   std::int64_t step) {
  std::vector<GuideLine> lines;
  if (cameras.empty()) {
    return lines;
  }
  step = std::max<std::int64_t>(step, 1);
  std::vector<std::vector<Vec3>> paths(cameras.size());
  Pose pose;
  const std::int64_t last = maker.LastFrame();
  for (std::int64_t frame = 0;; frame = std::min(frame + step, last)) {
    maker.PoseAt(frame, pose);
    for (std::size_t c = 0; c < cameras.size(); ++c) {
      if (static_cast<std::size_t>(cameras[c].joint) < pose.jointGlobal.size()) {
        paths[c].push_back(JointPosition(pose, cameras[c].joint));
      }
    }
    if (frame == last) {
      break;
    }
  }
  for (const std::vector<Vec3>& path : paths) {
    for (std::size_t i = 1; i < path.size(); ++i) {
      lines.push_back({path[i - 1], path[i], false});
    }
  }
  return lines;
}

}  // namespace quorvel::preview
