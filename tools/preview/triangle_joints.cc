#include "tools/preview/triangle_joints.h"

#include <array>
#include <utility>

namespace quorvel::preview {

std::vector<int> TriangleJoints(const host::Scene& scene) {
  std::vector<int> joints(scene.triangles.size(), -1);
  const int jointCount = static_cast<int>(scene.joints.size());
  for (std::size_t t = 0; t < scene.triangles.size(); ++t) {
    // At most twelve joints move a triangle; summed in place.
    std::array<std::pair<int, float>, 12> sums{};
    std::size_t used = 0;
    for (std::uint16_t v : scene.triangles[t].vertices) {
      if (v >= scene.vertices.size()) {
        continue;
      }
      const host::SceneVertex& vertex = scene.vertices[v];
      for (std::size_t k = 0; k < vertex.joints.size() && vertex.joints[k] >= 0; ++k) {
        const int joint = vertex.joints[k];
        if (joint >= jointCount) {
          continue;
        }
        std::size_t i = 0;
        while (i < used && sums[i].first != joint) {
          ++i;
        }
        if (i == used) {
          sums[used++] = {joint, 0.0f};
        }
        sums[i].second += vertex.weights[k];
      }
    }
    int best = -1;
    float bestWeight = -1;
    for (std::size_t i = 0; i < used; ++i) {
      const auto [joint, weight] = sums[i];
      if (weight > bestWeight || (weight == bestWeight && joint < best)) {
        best = joint;
        bestWeight = weight;
      }
    }
    joints[t] = best;
  }
  return joints;
}

std::vector<bool> HiddenTriangles(const std::vector<int>& triangleJoints,
                                  const std::vector<bool>& hiddenJoints) {
  std::vector<bool> hidden(triangleJoints.size(), false);
  for (std::size_t t = 0; t < triangleJoints.size(); ++t) {
    const int joint = triangleJoints[t];
    hidden[t] = joint >= 0 && static_cast<std::size_t>(joint) < hiddenJoints.size() &&
                hiddenJoints[static_cast<std::size_t>(joint)];
  }
  return hidden;
}

}  // namespace quorvel::preview
