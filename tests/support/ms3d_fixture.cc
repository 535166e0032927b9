#include "tests/support/ms3d_fixture.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace quorvel::testing {
namespace {

class ByteWriter {
 public:
  std::string bytes;

  std::size_t here() const { return bytes.size(); }
  void U8(std::uint8_t v) { bytes.push_back(static_cast<char>(v)); }
  void U16(std::uint16_t v) {
    U8(static_cast<std::uint8_t>(v & 0xff));
    U8(static_cast<std::uint8_t>(v >> 8));
  }
  void I32(std::int32_t v) {
    auto bits = static_cast<std::uint32_t>(v);
    for (int shift = 0; shift < 32; shift += 8) {
      U8(static_cast<std::uint8_t>(bits >> shift));
    }
  }
  void F32(float v) {
    std::int32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    I32(bits);
  }
  // Varied filler for fields nobody reads.
  void Filler(std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
      U8(static_cast<std::uint8_t>(0x41 + (seed_++ * 37) % 190));
    }
  }
  // A char[32] field: the text, a NUL, then filler that must survive a save.
  void Name(const std::string& text) {
    std::size_t length = std::min<std::size_t>(text.size(), 32);
    bytes.append(text, 0, length);
    if (length < 32) {
      U8(0);
      Filler(32 - length - 1);
    }
  }
  void Text(const std::string& text) { bytes += text; }

 private:
  unsigned seed_ = 1;
};

void WriteList(ByteWriter& out, Ms3dBytes& result, const std::string& list,
               const std::vector<FixtureComment>& comments) {
  result.at["comments." + list + "Count"] = out.here();
  out.I32(static_cast<std::int32_t>(comments.size()));
  for (std::size_t i = 0; i < comments.size(); ++i) {
    std::string key = "comments." + list + std::to_string(i);
    result.at[key + ".index"] = out.here();
    out.I32(comments[i].index);
    result.at[key + ".length"] = out.here();
    out.I32(static_cast<std::int32_t>(comments[i].text.size()));
    out.Text(comments[i].text);
  }
}

}  // namespace

Ms3dBytes WriteMs3d(const Ms3dFixture& f) {
  ByteWriter out;
  Ms3dBytes result;
  out.Text("MS3D000000");
  result.at["version"] = out.here();
  out.I32(f.version);

  result.at["vertexCount"] = out.here();
  out.U16(f.vertices);
  for (std::uint16_t i = 0; i < f.vertices; ++i) {
    out.U8(0);
    out.F32(static_cast<float>(i));
    out.F32(static_cast<float>(i) * 0.5f);
    out.F32(-static_cast<float>(i));
    out.U8(0xff);  // no bone
    out.U8(1);
  }

  result.at["triangleCount"] = out.here();
  out.U16(f.triangles);
  for (std::uint16_t i = 0; i < f.triangles; ++i) {
    out.U16(0);
    for (int k = 0; k < 3; ++k) {
      out.U16(static_cast<std::uint16_t>(f.vertices == 0 ? 0 : (i * 3 + k) % f.vertices));
    }
    out.Filler(9 * 4 + 6 * 4);
    out.U8(1);
    out.U8(0);
  }

  result.at["groupCount"] = out.here();
  out.U16(static_cast<std::uint16_t>(f.groups.size()));
  for (std::size_t i = 0; i < f.groups.size(); ++i) {
    out.U8(0);
    out.Name(f.groups[i].name);
    result.at["group" + std::to_string(i) + ".triangleCount"] = out.here();
    out.U16(static_cast<std::uint16_t>(f.groups[i].triangles.size()));
    for (std::uint16_t t : f.groups[i].triangles) {
      out.U16(t);
    }
    out.U8(f.materials.empty() ? 0xff : 0);
  }

  result.at["materialCount"] = out.here();
  out.U16(static_cast<std::uint16_t>(f.materials.size()));
  for (const std::string& name : f.materials) {
    out.Name(name);
    out.Filler(16 * 4 + 2 * 4 + 1);
    out.Name("texture.bmp");
    out.Filler(96);
    out.Name("");
    out.Filler(96);
  }

  out.F32(f.framesPerSecond);
  out.F32(1.0f);
  out.I32(f.totalFrames);

  result.at["jointCount"] = out.here();
  out.U16(static_cast<std::uint16_t>(f.joints.size()));
  for (std::size_t i = 0; i < f.joints.size(); ++i) {
    const FixtureJoint& joint = f.joints[i];
    std::string key = "joint" + std::to_string(i);
    result.at[key] = out.here();
    out.U8(joint.flags);
    out.Name(joint.name);
    out.Name(i == 0 ? "" : f.joints[0].name);
    out.Filler(24);
    result.at[key + ".rotationKeys"] = out.here();
    out.U16(joint.rotationKeys);
    result.at[key + ".positionKeys"] = out.here();
    out.U16(joint.positionKeys);
    out.Filler(16u * (joint.rotationKeys + joint.positionKeys));
  }

  result.commentsBegin = out.here();
  if (f.withComments) {
    result.at["comments"] = out.here();
    out.I32(1);
    WriteList(out, result, "group", f.groupComments);
    WriteList(out, result, "material", f.materialComments);
    WriteList(out, result, "joint", f.jointComments);
    result.at["comments.hasModelComment"] = out.here();
    out.I32(f.modelComment ? 1 : 0);
    if (f.modelComment) {
      result.at["comments.modelLength"] = out.here();
      out.I32(static_cast<std::int32_t>(f.modelComment->size()));
      out.Text(*f.modelComment);
    }
  }
  result.commentsEnd = out.here();
  result.at["trailer"] = out.here();
  out.Text(f.trailer);
  result.bytes = std::move(out.bytes);
  return result;
}

Ms3dFixture SampleFixture() {
  Ms3dFixture f;
  f.vertices = 6;
  f.triangles = 2;
  f.groups = {{"Hull", {0}}, {"Wing", {1}}};
  f.materials = {"Paint"};
  f.totalFrames = 120;
  f.joints = {{"ZU2_Root", 0, 1, 1}, {"CAM_Main", 1, 0, 2}, {"Fighter1", 1 | 4, 3, 0}, {"Rock", 2}};
  f.groupComments = {{1, "wing group"}};
  f.jointComments = {{1, "Center Of Interest=Fighter1\r\nNum Events=0\r\n"},
                     {2, "Sob Type=ship\r\nSob Name=Alpha\r\nNum Events=1\r\nEvent0=A\r\n"}};
  f.modelComment = "OPT_FPS=30\r\nNum Events=0\r\n";
  // Vertex extra data (sub-version 1) and joint extra data, as the modeller adds.
  f.trailer = std::string("\x01\x00\x00\x00", 4) + std::string(6 * 6, '\x07') +
              std::string("\x01\x00\x00\x00", 4) + std::string(4 * 12, '\x3f');
  return f;
}

void PatchU16(std::string& bytes, std::size_t at, std::uint16_t value) {
  bytes.at(at) = static_cast<char>(value & 0xff);
  bytes.at(at + 1) = static_cast<char>(value >> 8);
}

void PatchI32(std::string& bytes, std::size_t at, std::int32_t value) {
  auto bits = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) {
    bytes.at(at + static_cast<std::size_t>(i)) = static_cast<char>(bits >> (8 * i));
  }
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    throw std::runtime_error("cannot read " + path);
  }
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    throw std::runtime_error("cannot write " + path);
  }
}

TempFolder::TempFolder() {
  // A new name each time: creating a folder fails on a name that exists.
  static std::mt19937_64 generator(std::random_device{}());
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
    const std::filesystem::path candidate =
        base / ("quorvel-test-" + std::to_string(generator() % 1'000'000'000'000));
    std::error_code error;
    if (std::filesystem::create_directory(candidate, error)) {
      path_ = candidate.string();
    }
  }
  if (path_.empty()) {
    throw std::runtime_error("cannot create a temporary folder in " + base.string());
  }
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::DeepFolder(std::size_t length) const {
  std::string path = path_;
  while (path.size() + 1 < length) {
    const std::size_t left = length - path.size() - 1;
    path += "/" + std::string(left <= 250 ? left : 200, 'd');
    std::filesystem::create_directory(path);
  }
  return path;
}

std::vector<std::string> TempFolder::Entries() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(path_)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace quorvel::testing
