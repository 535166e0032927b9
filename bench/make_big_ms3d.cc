// Writes a model file at the format's limits, for timing readers on it:
//   make_big_ms3d [VARIANT] OUTPUT [JOINTS [COMMENT_BYTES [VERTICES]]]
// Defaults: 65535 joints (the most a file can hold), each with a comment of 1000
// bytes and one animation key of each kind, and 60000 vertices, with triangles in
// one group. The comments section is
// written by the host library itself. VARIANT (bench/big_model_variants.h) is
// --known-events (every attribute valid), --unknown-centres (every joint a camera
// looking at a joint that does not exist) or --unknown-targets (every joint a ship
// attacking one that does not exist); without it, the joints' comments hold events
// the game does not know.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/big_model_variants.h"
#include "host/comments_section.h"
#include "host/model.h"

namespace {

class Out {
 public:
  std::string bytes;
  void U8(std::uint8_t v) { bytes.push_back(static_cast<char>(v)); }
  void U16(std::uint16_t v) {
    U8(static_cast<std::uint8_t>(v));
    U8(static_cast<std::uint8_t>(v >> 8));
  }
  void I32(std::int32_t v) {
    for (int shift = 0; shift < 32; shift += 8) {
      U8(static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> shift));
    }
  }
  void F32(float v) {
    std::int32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    I32(bits);
  }
  void Name(const std::string& text) {
    std::string field = text.substr(0, 31);
    field.resize(32, '\0');
    bytes += field;
  }
};

unsigned Argument(char** argv, int argc, int index, unsigned fallback) {
  return index < argc ? static_cast<unsigned>(std::strtoul(argv[index], nullptr, 10)) : fallback;
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

  Out out;
  out.bytes += "MS3D000000";
  out.I32(4);
  out.U16(static_cast<std::uint16_t>(vertices));
  for (unsigned i = 0; i < vertices; ++i) {
    out.U8(0);
    out.F32(static_cast<float>(i % 100));
    out.F32(static_cast<float>(i / 100 % 100));
    out.F32(static_cast<float>(i / 10000) + 0.5f * static_cast<float>(i % 3));
    out.U8(0xff);
    out.U8(1);
  }
  out.U16(static_cast<std::uint16_t>(triangles));
  for (unsigned t = 0; t < triangles; ++t) {
    out.U16(0);
    for (unsigned k = 0; k < 3; ++k) {
      out.U16(static_cast<std::uint16_t>(t * 3 + k));
    }
    for (int n = 0; n < 9; ++n) {
      out.F32(n % 3 == 2 ? 1.0f : 0.0f);
    }
    for (int n = 0; n < 6; ++n) {
      out.F32(0.5f);
    }
    out.U8(1);
    out.U8(0);
  }
  out.U16(1);
  out.U8(0);
  out.Name("Fleet");
  out.U16(static_cast<std::uint16_t>(triangles));
  for (unsigned t = 0; t < triangles; ++t) {
    out.U16(static_cast<std::uint16_t>(t));
  }
  out.U8(0);
  out.U16(1);
  out.Name("Hull");
  for (int n = 0; n < 16; ++n) {
    out.F32(0.8f);
  }
  out.F32(10.0f);
  out.F32(1.0f);
  out.U8(0);
  out.Name("");
  out.bytes.append(96, '\0');
  out.Name("");
  out.bytes.append(96, '\0');
  out.F32(24.0f);
  out.F32(1.0f);
  out.I32(600);

  quorvel::host::Model model;
  model.meshes.resize(1);
  model.materials.resize(1);
  model.joints.resize(joints);
  out.U16(static_cast<std::uint16_t>(joints));
  for (unsigned j = 0; j < joints; ++j) {
    const std::string name = quorvel::bench::VariantJointName(variant, j);
    out.U8(quorvel::bench::BigModelJointFlags(j));
    out.Name(name);
    out.Name(j == 0 ? "" : quorvel::bench::VariantJointName(variant, 1));
    for (int n = 0; n < 6; ++n) {
      out.F32(0.0f);
    }
    // One rotation and one position key: an animation needs a channel per joint.
    out.U16(1);
    out.U16(1);
    for (int key = 0; key < 2; ++key) {
      out.F32(1.0f);
      out.F32(0.0f);
      out.F32(0.0f);
      out.F32(0.0f);
    }
    model.joints[j].comment = quorvel::bench::VariantComment(variant, j, commentBytes);
  }
  model.comment = "OPT_FPS=24\r\nNum Events=0\r\n";
  out.bytes += quorvel::host::BuildCommentsSection(model, argv[1]);

  std::FILE* file = std::fopen(argv[1], "wb");
  if (file == nullptr ||
      std::fwrite(out.bytes.data(), 1, out.bytes.size(), file) != out.bytes.size() ||
      std::fclose(file) != 0) {
    std::perror(argv[1]);
    return 1;
  }
  std::printf("%s: %u vertices, %u triangles, %u joints with %u-byte comments, %zu bytes\n",
              argv[1], vertices, triangles, joints, commentBytes, out.bytes.size());
  return 0;
}
