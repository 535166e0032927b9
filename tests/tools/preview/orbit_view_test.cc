#include "tools/preview/orbit_view.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quorvel::preview {
namespace {

float Distance(const CameraView& view) {
  const float dx = view.eye.x - view.target.x;
  const float dy = view.eye.y - view.target.y;
  const float dz = view.eye.z - view.target.z;
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}

TEST(OrbitViewTest, StartsWhereTheViewStandsTurnsAboutItsTargetAndZooms) {
  CameraView start;
  start.eye = {3, 4, 12};
  start.target = {1, 2, 3};
  OrbitView orbit(start);
  CameraView view = orbit.View();
  EXPECT_NEAR(view.eye.x, 3, 1e-4);
  EXPECT_NEAR(view.eye.y, 4, 1e-4);
  EXPECT_NEAR(view.eye.z, 12, 1e-4);
  const float distance = Distance(view);

  orbit.Turn(314, 0);  // about half a turn
  view = orbit.View();
  EXPECT_NEAR(Distance(view), distance, 1e-3);
  EXPECT_NEAR(view.target.z, 3, 1e-6);
  EXPECT_LT(view.eye.z, 3);  // now on the other side

  orbit.Turn(0, 100000);  // never over the pole
  view = orbit.View();
  EXPECT_GT(view.eye.y, 2);
  EXPECT_GT(std::abs(view.eye.x - 1) + std::abs(view.eye.z - 3), 1e-3);

  orbit.Zoom(1);
  EXPECT_NEAR(Distance(orbit.View()), distance * 0.85f, 1e-3);
  orbit.Zoom(-2);
  EXPECT_NEAR(Distance(orbit.View()), distance / 0.85f, 1e-3);
  EXPECT_GT(orbit.View().farPlane, Distance(orbit.View()));
}

}  // namespace
}  // namespace quorvel::preview
