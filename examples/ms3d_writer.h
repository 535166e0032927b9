#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorvel::examples {

// Writes model files in the modeller's own layout, for the example model, the
// benchmarks and the tests. It writes what the modeller writes, as far as this
// project needs it: geometry with its joint weights, normals and texture coordinates,
// groups, materials, the animation settings, joints with their rest pose and keys, the
// comments section (only non-empty comments, in index order) and the extra data after
// it. Every field a caller leaves alone keeps the value earlier files were written
// with, so a model made before a field existed is written byte for byte as before.
// Reading and saving files belongs to the host library; this is only a way to make
// new ones.

struct Vertex {
  float x = 0;
  float y = 0;
  float z = 0;
  std::int8_t bone = -1;
  // The vertex extra section: three more joints and three weights in percent. When a
  // weight is non-zero, `bone` gets weights[0], extraBones[0] and [1] the next two,
  // and extraBones[2] the rest up to 100; when all are zero `bone` alone moves it.
  std::int8_t extraBones[3] = {-1, -1, -1};
  std::uint8_t weights[3] = {100, 0, 0};
  // What follows the weights in sub-versions 2 (the first value) and 3 (both).
  std::uint32_t extra[2] = {0xFFFFFFFFu, 0};
};

struct Normal {
  float x = 0;
  float y = 0;
  float z = 1;
};

struct Triangle {
  std::uint16_t vertices[3] = {0, 0, 0};
  std::uint8_t group = 0;
  Normal normals[3] = {Normal{}, Normal{}, Normal{}};  // one per corner
  float s[3] = {0, 0, 0};
  float t[3] = {0, 0, 0};
  std::uint8_t smoothingGroup = 1;
};

struct Group {
  std::string name;
  std::vector<std::uint16_t> triangles;
  std::int8_t material = -1;
  std::string comment;
};

struct Material {
  std::string name;
  float diffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
  std::string texture;
  std::string comment;
  float ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
  float specular[4] = {0, 0, 0, 1.0f};
  float emissive[4] = {0, 0, 0, 1.0f};
  float shininess = 0;
  float transparency = 1;  // 1: opaque
  std::int8_t mode = 0;
  std::string alphaMap = {};
};

// A rotation key (angles x, y, z in radians) or a position key (an offset from the
// rest position), at `time` seconds.
struct Key {
  float time = 0;
  float value[3] = {0, 0, 0};
};

struct Joint {
  std::string name;
  std::string parent;
  std::uint8_t flags = 0;  // 1: selected, which the plug-in calls marked
  float position[3] = {0, 0, 0};
  std::string comment;
  float rotation[3] = {0, 0, 0};  // rest angles x, y, z in radians
  // One key of each kind at one second, holding the rest pose: as the modeller keys
  // a joint that does not move. Clear them for a joint without keys.
  std::vector<Key> rotationKeys = {Key{1.0f, {0, 0, 0}}};
  std::vector<Key> positionKeys = {Key{1.0f, {0, 0, 0}}};
};

struct ModelFile {
  std::vector<Vertex> vertices;
  std::vector<Triangle> triangles;
  std::vector<Group> groups;
  std::vector<Material> materials;
  float framesPerSecond = 30;
  std::int32_t totalFrames = 100;
  std::vector<Joint> joints;
  std::string comment;
  // The vertex extra section's sub-version: 1 (joints and weights), 2 (and one more
  // value) or 3 (and two).
  std::int32_t vertexExtraVersion = 2;
  // Whether the extra data the modeller writes after the comments follows them; a
  // file may end after the comments.
  bool extraData = true;
};

// The file's bytes. Throws std::length_error when a count does not fit the format
// (65,535 of each kind at most) or a name does not fit its 31 characters (a texture
// name its 127), and std::invalid_argument for a vertex extra sub-version other than
// 1, 2 or 3.
std::string WriteModelFile(const ModelFile& model);

// Writes the bytes to `path`, replacing the file; throws std::runtime_error naming
// the file when that fails.
void SaveModelFile(const ModelFile& model, const std::string& path);

}  // namespace quorvel::examples
