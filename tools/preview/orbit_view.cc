#include "tools/preview/orbit_view.h"

#include <algorithm>
#include <cmath>

namespace quorvel::preview {
namespace {

constexpr double kMaxPitch = 1.55;  // just short of straight up or down

}  // namespace

OrbitView::OrbitView(const CameraView& start) : base_(start) {
  const double dx = start.eye.x - start.target.x;
  const double dy = start.eye.y - start.target.y;
  const double dz = start.eye.z - start.target.z;
  distance_ = std::max(1e-3, std::sqrt(dx * dx + dy * dy + dz * dz));
  yaw_ = std::atan2(dx, dz);
  pitch_ = std::asin(std::clamp(dy / distance_, -1.0, 1.0));
  pitch_ = std::clamp(pitch_, -kMaxPitch, kMaxPitch);
}

void OrbitView::Turn(double dx, double dy) {
  yaw_ -= dx * 0.01;
  pitch_ = std::clamp(pitch_ + dy * 0.01, -kMaxPitch, kMaxPitch);
}

void OrbitView::Zoom(double steps) {
  distance_ = std::clamp(distance_ * std::pow(0.85, steps), 1e-3, 1e7);
}

CameraView OrbitView::View() const {
  CameraView view = base_;
  view.up = {0, 1, 0};
  view.eye = {static_cast<float>(base_.target.x + distance_ * std::cos(pitch_) * std::sin(yaw_)),
              static_cast<float>(base_.target.y + distance_ * std::sin(pitch_)),
              static_cast<float>(base_.target.z + distance_ * std::cos(pitch_) * std::cos(yaw_))};
  // Near and far follow the distance, so the model stays in depth when zoomed.
  const float reach = static_cast<float>(distance_) + base_.farPlane;
  view.farPlane = reach;
  view.nearPlane = std::max(reach / 10000.0f, 1e-3f);
  return view;
}

}  // namespace quorvel::preview
