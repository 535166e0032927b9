// Real model files made by other tools: Debian's assimp-testmodels package. They
// must come back byte for byte when nothing changed, and keep every byte outside
// the comments section when comments are added. A third-party reader (the assimp
// command) must still read them and find the same geometry.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <array>
#include <cstdio>
#include <filesystem>
#include <regex>

#include "host/model_document.h"
#include "host/ms3d_reader.h"
#include "tests/support/ms3d_fixture.h"

namespace quorvel::host {
namespace {

using quorvel::testing::ReadWholeFile;
using quorvel::testing::TempFolder;
using quorvel::testing::WriteWholeFile;

const char kModelFolder[] = "/usr/share/assimp/models/MS3D";

std::vector<std::string> RealModels() {
  std::vector<std::string> paths;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(kModelFolder, error)) {
    if (entry.path().extension() == ".ms3d") {
      paths.push_back(entry.path().string());
    }
  }
  std::sort(paths.begin(), paths.end());
  return paths;
}

// Runs a command and returns what it printed, or nothing when it failed.
std::optional<std::string> Output(const std::string& command) {
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) {
    return std::nullopt;
  }
  std::string text;
  std::array<char, 4096> chunk;
  std::size_t got;
  while ((got = std::fread(chunk.data(), 1, chunk.size(), pipe)) > 0) {
    text.append(chunk.data(), got);
  }
  return pclose(pipe) == 0 ? std::optional(text) : std::nullopt;
}

// "Vertices: 2520" and "Faces: 2032" of `assimp info`.
std::pair<long, long> AssimpCounts(const std::string& path) {
  std::optional<std::string> text = Output("assimp info '" + path + "' 2>/dev/null");
  if (!text) {
    ADD_FAILURE() << "assimp info could not read " << path;
    return {-1, -1};
  }
  std::smatch vertices;
  std::smatch faces;
  std::regex_search(*text, vertices, std::regex(R"(Vertices:\s+(\d+))"));
  std::regex_search(*text, faces, std::regex(R"(Faces:\s+(\d+))"));
  if (vertices.empty() || faces.empty()) {
    ADD_FAILURE() << "assimp info printed no counts for " << path << ":\n" << *text;
    return {-1, -1};
  }
  return {std::stol(vertices[1]), std::stol(faces[1])};
}

class RealFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    models_ = RealModels();
    if (models_.empty()) {
      GTEST_SKIP() << "no .ms3d files in " << kModelFolder << " (Debian package assimp-testmodels)";
    }
  }
  // Puts a copy of `model` in `folder` and returns its path; `original` gets the
  // bytes copied.
  static std::string CopyInto(const TempFolder& folder, const std::string& model,
                              std::string& original) {
    std::string copy = folder.File("copy.ms3d");
    original = ReadWholeFile(model);
    WriteWholeFile(copy, original);
    return copy;
  }
  std::vector<std::string> models_;
};

TEST_F(RealFilesTest, LoadAndSaveWithoutChangeGivesIdenticalBytes) {
  for (const std::string& model : models_) {
    SCOPED_TRACE(model);
    TempFolder folder;
    std::string original;
    std::string copy = CopyInto(folder, model, original);
    ModelDocument document = ModelDocument::Open(copy);
    document.SetModelComment(document.Model().comment);
    document.Save();
    EXPECT_EQ(ReadWholeFile(copy), original);
  }
}

TEST_F(RealFilesTest, AddedCommentsChangeNothingOutsideTheCommentsSection) {
  bool haveAssimp = Output("command -v assimp >/dev/null").has_value();
  for (const std::string& model : models_) {
    SCOPED_TRACE(model);
    TempFolder folder;
    std::string original;
    std::string copy = CopyInto(folder, model, original);
    Ms3dContents before = ReadMs3dFile(copy);

    ModelDocument document = ModelDocument::Open(copy);
    document.SetModelComment("OPT_FPS=30\r\nNum Events=1\r\nEvent0=10|Fade In|\xe9\r\n");
    for (std::size_t i = 0; i < document.Model().joints.size(); ++i) {
      document.SetJointComment(i, "Sob Type=ship\r\nSob Name=Joint" + std::to_string(i) + "\r\n");
    }
    document.Save();

    std::string saved = ReadWholeFile(copy);
    std::size_t tail = original.size() - before.comments.end;
    ASSERT_GE(saved.size(), before.comments.begin + tail);
    EXPECT_TRUE(saved.compare(0, before.comments.begin, original, 0, before.comments.begin) == 0)
        << "bytes before the comments section changed";
    EXPECT_TRUE(saved.compare(saved.size() - tail, tail, original, before.comments.end, tail) == 0)
        << "bytes after the comments section changed";

    Ms3dContents after = ReadMs3dFile(copy);
    EXPECT_EQ(after.model.comment, document.Model().comment);
    EXPECT_EQ(after.model.vertexCount, before.model.vertexCount);
    EXPECT_EQ(after.model.joints.size(), before.model.joints.size());

    if (haveAssimp) {
      EXPECT_EQ(AssimpCounts(copy), AssimpCounts(model));
    }
  }
  if (!haveAssimp) {
    GTEST_SKIP() << "the assimp command (Debian package assimp-utils) is missing; the "
                    "third-party read-back was not checked";
  }
}

}  // namespace
}  // namespace quorvel::host
