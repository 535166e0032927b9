// Writes a model file at the format's limits, for timing readers on it:
//   make_big_ms3d [VARIANT] OUTPUT [JOINTS [COMMENT_BYTES [VERTICES]]]
// Defaults: 65535 joints (the most a file can hold), each with a comment of 1000
// bytes and one animation key of each kind, and 60000 vertices, with triangles in
// one group, written by the examples' model writer (the file ends after its
// comments). VARIANT (bench/big_model_variants.h) is
// --known-events (every attribute valid), --unknown-centres (every joint a camera
// looking at a joint that does not exist) or --unknown-targets (every joint a ship
// attacking one that does not exist); without it, the joints' comments hold events
// the game does not know.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "bench/big_model_variants.h"
#include "examples/ms3d_writer.h"

namespace {

unsigned Argument(char** argv, int argc, int index, unsigned fallback) {
  return index < argc ? static_cast<unsigned>(std::strtoul(argv[index], nullptr, 10)) : fallback;
}

// The model: `vertices` vertices on a grid, `triangles` triangles in one group of one
// material, and `joints` joints with the variant's names and comments.
quorvel::examples::ModelFile BigModel(quorvel::bench::BigModelVariant variant, unsigned joints,
                                      unsigned commentBytes, unsigned vertices,
                                      unsigned triangles) {
  namespace examples = quorvel::examples;
  examples::ModelFile model;
  model.vertices.reserve(vertices);
  for (unsigned i = 0; i < vertices; ++i) {
    model.vertices.push_back({static_cast<float>(i % 100), static_cast<float>(i / 100 % 100),
                              static_cast<float>(i / 10000) + 0.5f * static_cast<float>(i % 3)});
  }
  examples::Group group{"Fleet", {}, 0, ""};
  model.triangles.reserve(triangles);
  for (unsigned t = 0; t < triangles; ++t) {
    examples::Triangle triangle;
    for (unsigned k = 0; k < 3; ++k) {
      triangle.vertices[k] = static_cast<std::uint16_t>(t * 3 + k);
    }
    std::fill(std::begin(triangle.s), std::end(triangle.s), 0.5f);
    std::fill(std::begin(triangle.t), std::end(triangle.t), 0.5f);
    model.triangles.push_back(triangle);
    group.triangles.push_back(static_cast<std::uint16_t>(t));
  }
  model.groups.push_back(std::move(group));
  examples::Material hull;
  hull.name = "Hull";
  for (float* colour : {hull.ambient, hull.diffuse, hull.specular, hull.emissive}) {
    std::fill(colour, colour + 4, 0.8f);
  }
  hull.shininess = 10.0f;
  model.materials.push_back(hull);
  model.framesPerSecond = 24;
  model.totalFrames = 600;
  model.joints.reserve(joints);
  for (unsigned j = 0; j < joints; ++j) {
    model.joints.push_back({quorvel::bench::VariantJointName(variant, j),
                            j == 0 ? "" : quorvel::bench::VariantJointName(variant, 1),
                            quorvel::bench::BigModelJointFlags(j),
                            {0, 0, 0},
                            quorvel::bench::VariantComment(variant, j, commentBytes)});
  }
  model.comment = "OPT_FPS=24\r\nNum Events=0\r\n";
  model.extraData = false;
  return model;
}

}  // namespace

int main(int argc, char** argv) {
  quorvel::bench::BigModelVariant variant = quorvel::bench::BigModelVariant::kAsMade;
  if (argc > 1 && quorvel::bench::ParseBigModelVariant(argv[1], variant)) {
    --argc;
    ++argv;
  }
  if (argc < 2 || argv[1][0] == '-') {
    std::fprintf(stderr,
                 "usage: make_big_ms3d [--known-events|--unknown-centres|--unknown-targets] "
                 "OUTPUT [JOINTS [COMMENT_BYTES [VERTICES]]]\n");
    return 2;
  }
  unsigned joints = std::min(Argument(argv, argc, 2, 65535), 65535u);
  unsigned commentBytes = Argument(argv, argc, 3, 1000);
  unsigned vertices = std::min(Argument(argv, argc, 4, 60000), 65535u);
  // Other readers take vertex indices as signed 16-bit numbers, so the triangles use
  // only the first 32766 vertices; the rest are there but not referenced.
  unsigned triangles = std::min(vertices, 32766u) / 3;

  std::string bytes;
  try {
    bytes = quorvel::examples::WriteModelFile(
        BigModel(variant, joints, commentBytes, vertices, triangles));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s: %s\n", argv[1], error.what());
    return 1;
  }
  std::FILE* file = std::fopen(argv[1], "wb");
  if (file == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() ||
      std::fclose(file) != 0) {
    std::perror(argv[1]);
    return 1;
  }
  std::printf("%s: %u vertices, %u triangles, %u joints with %u-byte comments, %zu bytes\n",
              argv[1], vertices, triangles, joints, commentBytes, bytes.size());
  return 0;
}
