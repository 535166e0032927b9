#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/comment_text.h"

namespace quorvel::host {

// What the host keeps of a model in memory: the items that carry names and
// comments, and the few totals that tools report. Geometry and animation keys are
// not kept; a saved file takes them unchanged from the file it was opened from.
// Comments read from a file view its bytes, which the model keeps (fileBytes).

// One group of the file; the host calls groups meshes.
struct Mesh {
  std::string name;
  CommentText comment;
};

struct Material {
  std::string name;
  CommentText comment;
};

// Flag bits of a joint. Bits other than these belong to the modeller and are kept.
inline constexpr std::uint8_t kJointSelected = 1;  // what the plug-in calls "marked"
inline constexpr std::uint8_t kJointHidden = 2;

struct Joint {
  std::string name;
  std::uint8_t flags = 0;
  CommentText comment;
};

struct Model {
  std::vector<Mesh> meshes;
  std::vector<Material> materials;
  std::vector<Joint> joints;
  CommentText comment;

  std::uint32_t vertexCount = 0;
  std::uint32_t triangleCount = 0;
  float framesPerSecond = 0;
  std::int32_t totalFrames = 0;

  // The bytes of the file that comments not changed since reading view; shared by
  // copies of the model. Null when no comment views a file.
  std::shared_ptr<const void> fileBytes;
};

}  // namespace quorvel::host
