// One frame of a model at the format's limits evaluated as the preview evaluates it:
// 65,534 vertices and triangles, the 128 joints a vertex can name (each vertex
// weighted to one to four of them), each joint keyed on every one of 300 frames in
// rotation and position, in a tree of parents. The target is under 5 ms a frame on
// one core. BM_Evaluate walks the frames (fractions between keys, the heaviest case:
// every channel interpolates); BM_Setup is what opening such a model costs once.
#include <benchmark/benchmark.h>

#include <cmath>

#include "host/scene.h"
#include "tools/preview/pose.h"

namespace quorvel::preview {
namespace {

constexpr int kVertices = 65534;
constexpr int kJoints = 128;
constexpr int kFrames = 300;
constexpr float kFramesPerSecond = 30;

host::Scene BigScene() {
  host::Scene scene;
  scene.framesPerSecond = kFramesPerSecond;
  scene.totalFrames = kFrames;
  scene.joints.resize(kJoints);
  for (int j = 0; j < kJoints; ++j) {
    host::SceneJoint& joint = scene.joints[j];
    joint.name = "Joint" + std::to_string(j);
    joint.parent = j == 0 ? -1 : (j - 1) / 2;
    joint.position = {1, 0.5f, 0.25f};
    joint.rotation = {0.1f * j, 0, 0.05f};
    for (int f = 0; f < kFrames; ++f) {
      const float time = static_cast<float>(f) / kFramesPerSecond;
      const float phase = 0.05f * static_cast<float>(f + j);
      joint.rotationKeys.push_back({time, {std::sin(phase), std::cos(phase), 0.3f * phase}});
      joint.positionKeys.push_back({time, {std::sin(phase), 0, std::cos(phase)}});
    }
  }
  scene.vertices.resize(kVertices);
  for (int v = 0; v < kVertices; ++v) {
    host::SceneVertex& vertex = scene.vertices[v];
    vertex.position = {static_cast<float>(v % 256), static_cast<float>(v / 256), 1};
    const int count = 1 + v % 4;
    for (int k = 0; k < count; ++k) {
      vertex.joints[k] = static_cast<std::int16_t>((v * 7 + k * 31) % kJoints);
      vertex.weights[k] = 1.0f / static_cast<float>(count);
    }
  }
  scene.triangles.resize(kVertices);
  for (int t = 0; t < kVertices; ++t) {
    host::SceneTriangle& triangle = scene.triangles[t];
    triangle.vertices = {static_cast<std::uint16_t>(t),
                         static_cast<std::uint16_t>((t + 1) % kVertices),
                         static_cast<std::uint16_t>((t + 256) % kVertices)};
    triangle.normals = {host::Vec3{0, 0, 1}, host::Vec3{0, 1, 0}, host::Vec3{1, 0, 0}};
  }
  return scene;
}

void BM_Evaluate(benchmark::State& state) {
  const host::Scene scene = BigScene();
  const Animator animator(scene);
  Pose pose;
  double frame = 0.5;
  for (auto _ : state) {
    animator.Evaluate(frame, pose);
    benchmark::DoNotOptimize(pose.positions.data());
    benchmark::DoNotOptimize(pose.normals.data());
    frame += 1;
    if (frame >= kFrames - 1) {
      frame = 0.5;
    }
  }
  state.SetItemsProcessed(state.iterations() * kVertices);
}
BENCHMARK(BM_Evaluate)->Unit(benchmark::kMillisecond);

void BM_Setup(benchmark::State& state) {
  const host::Scene scene = BigScene();
  for (auto _ : state) {
    Animator animator(scene);
    benchmark::DoNotOptimize(&animator);
  }
}
BENCHMARK(BM_Setup)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorvel::preview
