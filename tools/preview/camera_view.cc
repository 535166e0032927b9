#include "tools/preview/camera_view.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "tools/preview/transform.h"

namespace quorvel::preview {
namespace {

constexpr float kPi = 3.14159265358979f;

float Dot(const Vec3& a, const Vec3& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec3 Subtract(const Vec3& a, const Vec3& b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}
float Length(const Vec3& a) {
  return std::sqrt(Dot(a, a));
}

// What the view's planes and framing are measured on: the posed vertices, or the
// joints of a model without vertices.
template <typename Visit>
void EachPoint(const Pose& pose, Visit visit) {
  if (!pose.positions.empty()) {
    for (const Vec3& p : pose.positions) {
      visit(p);
    }
    return;
  }
  for (const Matrix4& joint : pose.jointGlobal) {
    visit(Translation(joint));
  }
}

// Near and far planes that enclose what lies in front of the eye along `forward`
// (a unit vector), with a little room; the defaults when nothing does.
void EnclosePlanes(const Pose& pose, CameraView& view, const Vec3& forward) {
  float nearest = std::numeric_limits<float>::max();
  float farthest = 0;
  EachPoint(pose, [&](const Vec3& p) {
    const float depth = Dot(Subtract(p, view.eye), forward);
    if (depth > 0 && std::isfinite(depth)) {
      nearest = std::min(nearest, depth);
      farthest = std::max(farthest, depth);
    }
  });
  if (farthest <= 0) {
    return;
  }
  view.farPlane = farthest * 1.05f + 0.01f;
  // A depth buffer resolves a range of about 10,000 to 1 well.
  view.nearPlane = std::max(nearest * 0.95f, view.farPlane / 10000);
}

bool Parallel(const Vec3& a, const Vec3& b) {
  const float lengths = Length(a) * Length(b);
  return lengths == 0 || std::fabs(Dot(a, b)) > lengths * 0.99999f;
}

}  // namespace

CameraView LiveCameraView(const host::Scene& scene, const Pose& pose, int camera,
                          int centreOfInterest) {
  CameraView view;
  const int joints = static_cast<int>(std::min(scene.joints.size(), pose.jointGlobal.size()));
  if (camera < 0 || camera >= joints) {
    return FreeView(scene, pose);
  }
  const Matrix4& placed = pose.jointGlobal[static_cast<std::size_t>(camera)];
  view.eye = Translation(placed);
  Vec3 forward = TransformDirection(placed, {0, 0, -1});
  view.target = {view.eye.x + forward.x, view.eye.y + forward.y, view.eye.z + forward.z};
  if (centreOfInterest >= 0 && centreOfInterest < joints && centreOfInterest != camera) {
    const Vec3 interest = Translation(pose.jointGlobal[static_cast<std::size_t>(centreOfInterest)]);
    const Vec3 towards = Subtract(interest, view.eye);
    if (Length(towards) > 1e-6f) {  // a centre of interest where the camera stands: none
      forward = towards;
      view.target = interest;
    }
  }
  const float length = Length(forward);
  forward = {forward.x / length, forward.y / length, forward.z / length};
  if (Parallel(forward, view.up)) {
    const Vec3 own = TransformDirection(placed, {0, 1, 0});
    view.up = Parallel(forward, own) ? Vec3{0, 0, 1} : own;
  }
  EnclosePlanes(pose, view, forward);
  return view;
}

CameraView FreeView(const host::Scene& scene, const Pose& pose) {
  static_cast<void>(scene);
  CameraView view;
  constexpr float kMax = std::numeric_limits<float>::max();
  Vec3 low{kMax, kMax, kMax};
  Vec3 high{-kMax, -kMax, -kMax};
  EachPoint(pose, [&](const Vec3& p) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) {
      return;
    }
    low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
    high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
  });
  if (low.x > high.x) {  // nothing to frame: the space around the origin
    low = {-1, -1, -1};
    high = {1, 1, 1};
  }
  const Vec3 centre{(low.x + high.x) / 2, (low.y + high.y) / 2, (low.z + high.z) / 2};
  const float radius = std::max(Length(Subtract(high, low)) / 2, 0.5f);
  const float halfField = view.verticalFieldOfViewDegrees * kPi / 360;
  const float distance = radius / std::sin(halfField);
  const float raised = 20 * kPi / 180;
  view.target = centre;
  view.eye = {centre.x, centre.y + distance * std::sin(raised),
              centre.z + distance * std::cos(raised)};
  view.nearPlane = std::max(distance - radius, distance / 1000);
  view.farPlane = distance + radius;
  return view;
}

}  // namespace quorvel::preview
