// What a model file holds for drawing it: geometry, materials and animation, read
// whole and read-only. The model library itself keeps none of this (a save copies it
// unchanged); this reader serves the preview and anything else that draws a model.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/byte_source.h"

namespace quorvel::host {

struct Vec3 {
  float x = 0;
  float y = 0;
  float z = 0;
};

// A vertex in the rest pose, in model space, with the joints that move it: up to
// four joint indices with weights that sum to 1; the list ends at the first index
// of -1. A vertex with no joint has joints[0] == -1 and does not move.
struct SceneVertex {
  Vec3 position;
  std::array<std::int16_t, 4> joints = {-1, -1, -1, -1};
  std::array<float, 4> weights = {0, 0, 0, 0};
};

struct SceneTriangle {
  std::array<std::uint16_t, 3> vertices = {0, 0, 0};
  std::array<Vec3, 3> normals;  // one per corner
  std::array<float, 3> s = {0, 0, 0};
  std::array<float, 3> t = {0, 0, 0};
  std::uint8_t group = 0;  // as the file says: it may name no group
};

struct SceneGroup {
  std::string name;
  std::vector<std::uint16_t> triangles;
  int material = -1;  // -1: none, also for an index that names no material
};

struct SceneMaterial {
  std::string name;
  std::array<float, 4> ambient = {0.2f, 0.2f, 0.2f, 1};
  std::array<float, 4> diffuse = {0.8f, 0.8f, 0.8f, 1};
  std::array<float, 4> specular = {0, 0, 0, 1};
  std::array<float, 4> emissive = {0, 0, 0, 1};
  float shininess = 0;
  float transparency = 1;  // 1: opaque
  std::string texture;     // as the file names it; may be relative to the model
  std::string alphaMap;
};

struct SceneKey {
  float time = 0;  // seconds
  Vec3 value;      // angles in radians, or a position
};

struct SceneJoint {
  std::string name;
  std::string parentName;
  // The first joint whose name equals parentName; -1 for a root (an empty or unknown
  // name). Where names form a cycle, the joint of the cycle that comes first in the
  // file is made a root, so that every chain of parents ends.
  int parent = -1;
  Vec3 rotation;  // rest angles (x, y, z), radians
  Vec3 position;  // rest position
  std::vector<SceneKey> rotationKeys;
  std::vector<SceneKey> positionKeys;
};

struct Scene {
  std::vector<SceneVertex> vertices;
  std::vector<SceneTriangle> triangles;
  std::vector<SceneGroup> groups;
  std::vector<SceneMaterial> materials;
  float framesPerSecond = 24;  // as the file says; evaluation counts a value below 1 as 1
  std::int32_t totalFrames = 0;
  std::vector<SceneJoint> joints;
};

// Makes every chain of `parents` (per joint, the index of its parent or -1) end:
// an index that names no joint becomes -1, and each cycle is broken at the joint of
// the cycle that comes first, which becomes a root.
void BreakParentCycles(std::vector<int>& parents);

// Reads the geometry, materials, animation and joints of a version 4 model file, and
// the joint weights of its vertex extra section when it has one. Every count and
// length is checked against the bytes that remain before anything is read or
// allocated; a truncated or hostile file throws Ms3dError naming `displayName`, the
// section, the item and the byte offset.
Scene ReadScene(ByteSource& source, std::string_view displayName);

// Opens `path` read-only and reads it as above; the path names the file in errors.
Scene ReadSceneFile(const std::string& path);

}  // namespace quorvel::host
