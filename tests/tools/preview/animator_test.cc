// The animation against values worked out by hand from the host's rules, not by
// the code under test.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tools/preview/pose.h"
#include "tools/preview/transform.h"

namespace quorvel::preview {
namespace {

using host::Scene;
using host::SceneJoint;
using host::SceneKey;
using host::SceneVertex;

constexpr float kQuarter = 1.57079632679f;  // 90 degrees
constexpr float kHalfRoot = 0.70710678f;

void ExpectNear(const Vec3& actual, const Vec3& expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-4f);
  EXPECT_NEAR(actual.y, expected.y, 1e-4f);
  EXPECT_NEAR(actual.z, expected.z, 1e-4f);
}

SceneJoint Joint(std::string name, int parent, Vec3 position = {}, Vec3 rotation = {}) {
  SceneJoint joint;
  joint.name = std::move(name);
  joint.parent = parent;
  joint.position = position;
  joint.rotation = rotation;
  return joint;
}

SceneVertex Vertex(Vec3 position, std::int16_t joint = -1) {
  SceneVertex vertex;
  vertex.position = position;
  if (joint != -1) {
    vertex.joints[0] = joint;
    vertex.weights[0] = 1;
  }
  return vertex;
}

Pose PoseAt(const Scene& scene, double frame) {
  Pose pose;
  Animator(scene).Evaluate(frame, pose);
  return pose;
}

// The same angles through both ways the animation turns: as a rest rotation (its
// matrix places a child joint) and as a key (its quaternion moves a vertex).
TEST(AnimatorTest, AnglesTurnInTheOrderZYX) {
  const struct {
    const char* what;
    Vec3 angles;
    Vec3 turned;  // (1, 2, 3) turned
  } cases[] = {
      {"90 about x", {kQuarter, 0, 0}, {1, -3, 2}},
      {"90 about y", {0, kQuarter, 0}, {3, 2, -1}},
      {"90 about z", {0, 0, kQuarter}, {-2, 1, 3}},
      {"90 about x, then y", {kQuarter, kQuarter, 0}, {2, -3, -1}},
      {"no turn", {0, 0, 0}, {1, 2, 3}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Scene scene;
    scene.joints = {Joint("Turned", -1, {0, 0, 0}, c.angles), Joint("Child", 0, {1, 2, 3}),
                    Joint("Keyed", -1)};
    scene.joints[2].rotationKeys = {{0, c.angles}};
    scene.vertices = {Vertex({1, 2, 3}, 2)};
    const Pose pose = PoseAt(scene, 0);
    ExpectNear(Translation(pose.jointGlobal[1]), c.turned);
    ExpectNear(pose.positions[0], c.turned);
  }
}

// C below B below A, listed child first. A stands at (1,0,0) turned 90 about z; B
// at (1,0,0) in A's frame; C at (0,2,0) in B's. A vertex one unit above C in the
// rest pose follows C when B turns.
TEST(AnimatorTest, ParentChainOfThree) {
  Scene scene;
  scene.joints = {Joint("C", 1, {0, 2, 0}), Joint("B", 2, {1, 0, 0}),
                  Joint("A", -1, {1, 0, 0}, {0, 0, kQuarter})};
  scene.joints[1].rotationKeys = {{0, {0, 0, 0}}, {1, {0, 0, kQuarter}}};
  scene.framesPerSecond = 10;
  scene.vertices = {Vertex({-1, 2, 0}, 0)};
  const Pose rest = PoseAt(scene, 0);
  ExpectNear(Translation(rest.jointGlobal[2]), {1, 0, 0});
  ExpectNear(Translation(rest.jointGlobal[1]), {1, 1, 0});
  ExpectNear(Translation(rest.jointGlobal[0]), {-1, 1, 0});
  ExpectNear(rest.positions[0], {-1, 2, 0});
  const Pose turned = PoseAt(scene, 10);
  ExpectNear(Translation(turned.jointGlobal[0]), {1, -1, 0});
  ExpectNear(turned.positions[0], {0, -1, 0});
}

// One joint keyed at 10 frames a second; the vertex at (1,0,0) shows the rotation
// and the joint's translation the position.
TEST(AnimatorTest, ChannelsBetweenBeforeAndAfterTheirKeys) {
  const struct {
    const char* what;
    float framesPerSecond;
    std::vector<SceneKey> rotations;
    std::vector<SceneKey> positions;
    double frame;
    Vec3 vertex;
    Vec3 position;
  } cases[] = {
      {"halfway between two turns",
       10,
       {{0, {0, 0, 0}}, {1, {0, 0, kQuarter}}},
       {},
       5,
       {kHalfRoot, kHalfRoot, 0},
       {0, 0, 0}},
      {"270 degrees taken the short way",
       10,
       {{0, {0, 0, 0}}, {1, {0, 0, 3 * kQuarter}}},
       {},
       5,
       {kHalfRoot, -kHalfRoot, 0},
       {0, 0, 0}},
      // Two keys: tangents zero, h2(1/4) = -2/64 + 3/16.
      {"a quarter between two positions",
       10,
       {},
       {{0, {0, 0, 0}}, {1, {4, 0, 0}}},
       2.5,
       {1.625f, 0, 0},
       {0.625f, 0, 0}},
      // Keys x = 0, 4, 10 at frames 0, 10, 30. Tangents (in, out): key 0 (-9, 3), key
      // 1 (10/3, 20/3), key 2 (8, -12), the ends taken round as a loop. At t = 1/2,
      // h1 = h2 = 1/2, h3 = 1/8, h4 = -1/8.
      {"Hermite from the first key",
       10,
       {},
       {{0, {0, 0, 0}}, {1, {4, 0, 0}}, {3, {10, 0, 0}}},
       5,
       {1 + 0.375f + 2 - 10.0f / 24, 0, 0},
       {0.375f + 2 - 10.0f / 24, 0, 0}},
      {"Hermite into the last key",
       10,
       {},
       {{0, {0, 0, 0}}, {1, {4, 0, 0}}, {3, {10, 0, 0}}},
       20,
       {1 + 2 + 20.0f / 24 + 5 - 1, 0, 0},
       {2 + 20.0f / 24 + 5 - 1, 0, 0}},
      {"before the first key",
       10,
       {{1, {0, 0, kQuarter}}, {2, {0, 0, 0}}},
       {{1, {1, 0, 0}}, {2, {3, 0, 0}}},
       0,
       {1, 1, 0},
       {1, 0, 0}},
      {"after the last key",
       10,
       {{1, {0, 0, 0}}, {2, {0, 0, kQuarter}}},
       {{1, {1, 0, 0}}, {2, {3, 0, 0}}},
       25,
       {3, 1, 0},
       {3, 0, 0}},
      {"a frame rate below 1 counts as 1",
       0.5f,
       {},
       {{1, {1, 0, 0}}, {2, {3, 0, 0}}},
       1.5,
       {3, 0, 0},
       {2, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Scene scene;
    scene.framesPerSecond = c.framesPerSecond;
    scene.joints = {Joint("J", -1)};
    scene.joints[0].rotationKeys = c.rotations;
    scene.joints[0].positionKeys = c.positions;
    scene.vertices = {Vertex({1, 0, 0}, 0)};
    const Pose pose = PoseAt(scene, c.frame);
    ExpectNear(pose.positions[0], c.vertex);
    ExpectNear(Translation(pose.jointGlobal[0]), c.position);
  }
}

// Joint A moves 2 along x and turns 90 about z; B stays. A vertex half on each, one
// on none.
TEST(AnimatorTest, WeightsBlendAndAVertexWithoutJointStays) {
  Scene scene;
  scene.joints = {Joint("A", -1), Joint("B", -1)};
  scene.joints[0].rotationKeys = {{0, {0, 0, kQuarter}}};
  scene.joints[0].positionKeys = {{0, {2, 0, 0}}};
  SceneVertex shared = Vertex({1, 0, 0});
  shared.joints = {0, 1, -1, -1};
  shared.weights = {0.5f, 0.5f, 0, 0};
  scene.vertices = {shared, Vertex({1, 0, 0}), Vertex({1, 0, 0}, 0)};
  host::SceneTriangle triangle;
  triangle.vertices = {0, 1, 2};
  triangle.normals = {Vec3{1, 0, 0}, Vec3{1, 0, 0}, Vec3{1, 0, 0}};
  scene.triangles = {triangle};
  const Pose pose = PoseAt(scene, 0);
  ExpectNear(pose.positions[2], {2, 1, 0});  // A alone: turned to (0,1,0), moved by 2
  ExpectNear(pose.positions[0], {1.5f, 0.5f, 0});
  ExpectNear(pose.positions[1], {1, 0, 0});
  ExpectNear(pose.normals[0], {0.5f, 0.5f, 0});
  ExpectNear(pose.normals[1], {1, 0, 0});
  ExpectNear(pose.normals[2], {0, 1, 0});
}

TEST(AnimatorTest, ParentCyclesAndBadIndicesEndEveryChain) {
  Scene scene;
  scene.joints = {Joint("A", 1, {1, 0, 0}), Joint("B", 0, {0, 1, 0}), Joint("C", 7, {0, 0, 1})};
  scene.vertices = {Vertex({0, 0, 0}, 9)};
  const Pose pose = PoseAt(scene, 0);
  ExpectNear(Translation(pose.jointGlobal[0]), {1, 0, 0});  // the cycle's first: a root
  ExpectNear(Translation(pose.jointGlobal[1]), {1, 1, 0});
  ExpectNear(Translation(pose.jointGlobal[2]), {0, 0, 1});
  ExpectNear(pose.positions[0], {0, 0, 0});
}

}  // namespace
}  // namespace quorvel::preview
