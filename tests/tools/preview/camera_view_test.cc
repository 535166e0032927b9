#include "tools/preview/camera_view.h"

#include <gtest/gtest.h>

namespace quorvel::preview {
namespace {

constexpr float kQuarter = 1.57079632679f;

void ExpectNear(const Vec3& actual, const Vec3& expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-3f);
  EXPECT_NEAR(actual.y, expected.y, 1e-3f);
  EXPECT_NEAR(actual.z, expected.z, 1e-3f);
}

// Joint 0, the camera, stands at (0,0,10) turned by `angles`; joint 1 at `other`.
// Two vertices lie at depths 10 and 20 straight ahead of it along -z.
TEST(CameraViewTest, LooksAtItsCentreOfInterestElseDownItsOwnMinusZ) {
  const struct {
    const char* what;
    Vec3 angles;
    Vec3 other;
    int centreOfInterest;
    Vec3 target;
    Vec3 up;
  } cases[] = {
      {"at its centre of interest", {0, 0, 0}, {0, 0, 0}, 1, {0, 0, 0}, {0, 1, 0}},
      {"not turned, none named", {0, 0, 0}, {0, 0, 0}, -1, {0, 0, 9}, {0, 1, 0}},
      {"turned 90 about y", {0, kQuarter, 0}, {0, 0, 0}, -1, {-1, 0, 10}, {0, 1, 0}},
      {"naming itself", {0, 0, 0}, {0, 0, 0}, 0, {0, 0, 9}, {0, 1, 0}},
      {"a centre where it stands", {0, 0, 0}, {0, 0, 10}, 1, {0, 0, 9}, {0, 1, 0}},
      {"straight down: up is its own +y",
       {-kQuarter, 0, 0},
       {0, 0, 0},
       -1,
       {0, -1, 10},
       {0, 0, -1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    host::Scene scene;
    scene.joints.resize(2);
    scene.joints[0].position = {0, 0, 10};
    scene.joints[0].rotation = c.angles;
    scene.joints[1].position = c.other;
    scene.vertices.resize(2);
    scene.vertices[1].position = {0, 0, -10};
    Pose pose;
    Animator(scene).Evaluate(0, pose);
    const CameraView view = LiveCameraView(scene, pose, 0, c.centreOfInterest);
    ExpectNear(view.eye, {0, 0, 10});
    ExpectNear(view.target, c.target);
    ExpectNear(view.up, c.up);
    if (c.angles.x == 0 && c.angles.y == 0) {  // looking at both vertices
      EXPECT_NEAR(view.nearPlane, 9.5f, 1e-3f);
      EXPECT_NEAR(view.farPlane, 21.01f, 1e-3f);
    }
  }
}

// The sphere around the box fits a field of 45 degrees: its radius over sin(22.5)
// away, raised 20 degrees, looking at its centre.
TEST(CameraViewTest, FreeViewFramesTheModelFromTheFrontAndAbove) {
  const struct {
    const char* what;
    std::vector<Vec3> vertices;
    std::vector<Vec3> joints;
    Vec3 eye;
    Vec3 target;
  } cases[] = {
      {"vertices, radius root 3",
       {{-1, -1, -1}, {1, 1, 1}},
       {{50, 0, 0}},
       {0, 1.5479f, 4.2530f},
       {0, 0, 0}},
      {"joints alone, radius 1", {}, {{0, 0, 0}, {2, 0, 0}}, {1, 0.8937f, 2.4555f}, {1, 0, 0}},
      {"nothing: the origin's neighbourhood", {}, {}, {0, 1.5479f, 4.2530f}, {0, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    host::Scene scene;
    for (const Vec3& p : c.vertices) {
      scene.vertices.push_back({p, {-1, -1, -1, -1}, {0, 0, 0, 0}});
    }
    for (const Vec3& p : c.joints) {
      scene.joints.push_back({});
      scene.joints.back().position = p;
    }
    Pose pose;
    Animator(scene).Evaluate(0, pose);
    const CameraView view = FreeView(scene, pose);
    ExpectNear(view.eye, c.eye);
    ExpectNear(view.target, c.target);
    ExpectNear(view.up, {0, 1, 0});
    EXPECT_LT(view.nearPlane, view.farPlane);
    // Without a camera the live view is the free view.
    ExpectNear(LiveCameraView(scene, pose, -1, -1).eye, c.eye);
  }
}

}  // namespace
}  // namespace quorvel::preview
