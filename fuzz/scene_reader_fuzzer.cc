// Feeds arbitrary bytes to the scene reader. Besides not crashing, leaking or
// allocating without bound, whatever it accepts must be safe to draw and animate:
// every index names an item that is there, every chain of parents ends, every
// vertex's weights sum to 1, and the scene animates and is viewed without a fault
// whatever its keys hold (out of order, not numbers).
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "host/byte_source.h"
#include "host/ms3d_error.h"
#include "host/scene.h"
#include "tools/preview/camera_view.h"
#include "tools/preview/pose.h"

namespace {

using quorvel::host::Scene;

bool Sound(const Scene& scene) {
  const std::size_t joints = scene.joints.size();
  for (const auto& vertex : scene.vertices) {
    float sum = 0;
    for (std::size_t i = 0; i < vertex.joints.size() && vertex.joints[i] != -1; ++i) {
      if (vertex.joints[i] < 0 || static_cast<std::size_t>(vertex.joints[i]) >= joints) {
        return false;
      }
      sum += vertex.weights[i];
    }
    if (vertex.joints[0] != -1 && std::fabs(sum - 1) > 1e-5f) {
      return false;
    }
  }
  for (const auto& triangle : scene.triangles) {
    for (std::uint16_t vertex : triangle.vertices) {
      if (vertex >= scene.vertices.size()) {
        return false;
      }
    }
  }
  for (const auto& group : scene.groups) {
    if (group.material < -1 || group.material >= static_cast<int>(scene.materials.size())) {
      return false;
    }
    for (std::uint16_t triangle : group.triangles) {
      if (triangle >= scene.triangles.size()) {
        return false;
      }
    }
  }
  for (std::size_t start = 0; start < joints; ++start) {
    int at = static_cast<int>(start);
    for (std::size_t steps = 0; at != -1; ++steps) {
      if (steps > joints || at < -1 || static_cast<std::size_t>(at) >= joints) {
        return false;
      }
      at = scene.joints[static_cast<std::size_t>(at)].parent;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  Scene scene;
  try {
    quorvel::host::MemorySource source(bytes);
    scene = quorvel::host::ReadScene(source, "fuzz.ms3d");
  } catch (const quorvel::host::Ms3dError&) {
    return 0;
  }
  if (!Sound(scene)) {
    __builtin_trap();
  }
  const quorvel::preview::Animator animator(scene);
  quorvel::preview::Pose pose;
  for (double frame : {0.0, 1.5, static_cast<double>(scene.totalFrames)}) {
    animator.Evaluate(frame, pose);
  }
  const int joints = static_cast<int>(scene.joints.size());
  quorvel::preview::LiveCameraView(scene, pose, joints - 1, joints / 2);
  quorvel::preview::FreeView(scene, pose);
  return 0;
}
