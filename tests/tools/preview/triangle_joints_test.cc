#include "tools/preview/triangle_joints.h"

#include <gtest/gtest.h>

namespace quorvel::preview {
namespace {

host::SceneVertex Bound(std::array<std::int16_t, 4> joints, std::array<float, 4> weights) {
  host::SceneVertex vertex;
  vertex.joints = joints;
  vertex.weights = weights;
  return vertex;
}

TEST(TriangleJointsTest, TheJointThatMovesTheVerticesMostOwnsTheTriangle) {
  const host::SceneVertex none = Bound({-1, -1, -1, -1}, {0, 0, 0, 0});
  const host::SceneVertex onA = Bound({0, -1, -1, -1}, {1, 0, 0, 0});
  const host::SceneVertex onB = Bound({1, -1, -1, -1}, {1, 0, 0, 0});
  const host::SceneVertex mostlyB = Bound({0, 1, -1, -1}, {0.3f, 0.7f, 0, 0});
  const host::SceneVertex offRange = Bound({7, -1, -1, -1}, {1, 0, 0, 0});
  struct Case {
    const char* name;
    std::array<host::SceneVertex, 3> corners;
    int joint;
  };
  const Case cases[] = {
      {"all on one joint", {onA, onA, onA}, 0},
      {"two of three on the other", {onA, onB, onB}, 1},
      {"weights summed, not corners counted", {onA, mostlyB, mostlyB}, 0},
      {"a tie goes to the lower index", {onA, onB, none}, 0},
      {"no joint moves it", {none, none, none}, -1},
      {"a joint past the list counts as none", {offRange, offRange, onB}, 1},
  };
  for (const Case& c : cases) {
    host::Scene scene;
    scene.joints.resize(2);
    scene.vertices.assign(c.corners.begin(), c.corners.end());
    host::SceneTriangle triangle;
    triangle.vertices = {0, 1, 2};
    scene.triangles = {triangle};
    EXPECT_EQ(TriangleJoints(scene), std::vector<int>{c.joint}) << c.name;
  }
}

TEST(TriangleJointsTest, HiddenWithItsJoint) {
  const std::vector<int> joints = {0, 1, -1, 1, 5};
  EXPECT_EQ(HiddenTriangles(joints, {false, true}),
            (std::vector<bool>{false, true, false, true, false}));
  EXPECT_EQ(HiddenTriangles(joints, {}), std::vector<bool>(5, false));
}

}  // namespace
}  // namespace quorvel::preview
