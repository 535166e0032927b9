#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorvel::examples {

// Writes model files in the modeller's own layout, for the example model and the
// benchmarks. It writes what the modeller writes, as far as this project needs it:
// geometry, groups, materials, animation, joints without keys, the comments section
// (only non-empty comments, in index order) and the extra data after it. Reading and saving files
// belongs to the host library; this is only a way to make new ones.

struct Vertex {
  float x = 0;
  float y = 0;
  float z = 0;
  std::int8_t bone = -1;
};

struct Triangle {
  std::uint16_t vertices[3] = {0, 0, 0};
  std::uint8_t group = 0;
  // The texture coordinates: s of the three corners, then t.
  float textureCoordinates[6] = {0, 0, 0, 0, 0, 0};
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
};

struct Joint {
  std::string name;
  std::string parent;
  std::uint8_t flags = 0;  // 1: selected, which the plug-in calls marked
  float position[3] = {0, 0, 0};
  std::string comment;
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
  // Whether the extra data the modeller writes after the comments follows them; a
  // file may end after the comments.
  bool extraData = true;
};

// The file's bytes. Throws std::length_error when a count does not fit the format
// (65,535 of each kind at most) or a name does not fit its 31 characters.
std::string WriteModelFile(const ModelFile& model);

// Writes the bytes to `path`, replacing the file; throws std::runtime_error naming
// the file when that fails.
void SaveModelFile(const ModelFile& model, const std::string& path);

}  // namespace quorvel::examples
