#include "tests/tools/preview/preview_scenes.h"

namespace quorvel::preview::testing {

void AddBox(host::Scene& scene, const std::string& joint, host::Vec3 centre, float half,
            std::array<float, 4> colour) {
  const auto first = static_cast<std::uint16_t>(scene.vertices.size());
  const auto jointIndex = static_cast<std::int16_t>(scene.joints.size());
  scene.joints.push_back({joint, "", -1, {}, centre, {}, {}});
  for (int i = 0; i < 8; ++i) {
    host::SceneVertex vertex;
    vertex.position = {centre.x + ((i & 1) ? half : -half), centre.y + ((i & 2) ? half : -half),
                       centre.z + ((i & 4) ? half : -half)};
    vertex.joints = {jointIndex, -1, -1, -1};
    vertex.weights = {1, 0, 0, 0};
    scene.vertices.push_back(vertex);
  }
  const auto group = static_cast<std::uint8_t>(scene.groups.size());
  host::SceneGroup sceneGroup{joint, {}, static_cast<int>(scene.materials.size())};
  host::SceneMaterial material;
  material.name = joint;
  material.diffuse = colour;
  scene.materials.push_back(material);
  // Two triangles per face; the corners of each face by bit patterns of the box.
  const int faces[6][4] = {{0, 1, 3, 2}, {4, 5, 7, 6}, {0, 1, 5, 4},
                           {2, 3, 7, 6}, {0, 2, 6, 4}, {1, 3, 7, 5}};
  const host::Vec3 normals[6] = {{0, 0, -1}, {0, 0, 1},  {0, -1, 0},
                                 {0, 1, 0},  {-1, 0, 0}, {1, 0, 0}};
  for (int f = 0; f < 6; ++f) {
    for (const auto& corners : {std::array<int, 3>{0, 1, 2}, std::array<int, 3>{0, 2, 3}}) {
      host::SceneTriangle triangle;
      for (std::size_t c = 0; c < 3; ++c) {
        triangle.vertices[c] = static_cast<std::uint16_t>(first + faces[f][corners[c]]);
        triangle.normals[c] = normals[f];
      }
      triangle.group = group;
      sceneGroup.triangles.push_back(static_cast<std::uint16_t>(scene.triangles.size()));
      scene.triangles.push_back(triangle);
    }
  }
  scene.groups.push_back(sceneGroup);
}

Pose RestPose(const host::Scene& scene) {
  Pose pose;
  pose.jointGlobal.resize(scene.joints.size());
  for (std::size_t j = 0; j < scene.joints.size(); ++j) {
    auto& m = pose.jointGlobal[j].m;
    m[12] = scene.joints[j].position.x;
    m[13] = scene.joints[j].position.y;
    m[14] = scene.joints[j].position.z;
  }
  for (const host::SceneVertex& vertex : scene.vertices) {
    pose.positions.push_back(vertex.position);
  }
  for (const host::SceneTriangle& triangle : scene.triangles) {
    for (const host::Vec3& normal : triangle.normals) {
      pose.normals.push_back(normal);
    }
  }
  return pose;
}

}  // namespace quorvel::preview::testing
