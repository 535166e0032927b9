#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quorvel::testing {

// Builds model files in code, byte by byte, so that tests can make any file they
// need, valid or broken. Fixed-size fields are filled with varied bytes (also
// after the NUL of a name) so that a writer that loses or moves a byte is caught.

struct FixtureGroup {
  std::string name;
  std::vector<std::uint16_t> triangles;
};

struct FixtureJoint {
  std::string name;
  std::uint8_t flags = 0;
  std::uint16_t rotationKeys = 0;
  std::uint16_t positionKeys = 0;
};

struct FixtureComment {
  std::int32_t index = 0;
  std::string text;
};

struct Ms3dFixture {
  std::int32_t version = 4;
  std::uint16_t vertices = 3;
  std::uint16_t triangles = 1;
  std::vector<FixtureGroup> groups;
  std::vector<std::string> materials;
  float framesPerSecond = 24;
  std::int32_t totalFrames = 30;
  std::vector<FixtureJoint> joints;

  // The comments section is written when `withComments` is set, with the entries
  // exactly as listed (any order, any index).
  bool withComments = true;
  std::vector<FixtureComment> groupComments;
  std::vector<FixtureComment> materialComments;
  std::vector<FixtureComment> jointComments;
  std::optional<std::string> modelComment;
  // Bytes after the comments section (the later optional sections).
  std::string trailer;
};

struct Ms3dBytes {
  std::string bytes;
  // Offsets of fields by name, for tests that patch them: "version",
  // "vertexCount", "triangleCount", "groupCount", "group<i>.triangleCount",
  // "materialCount", "jointCount", "joint<i>", "joint<i>.rotationKeys",
  // "joint<i>.positionKeys", "comments", "comments.<list>Count" and
  // "comments.<list><i>.index" / ".length" for list group, material and joint,
  // "comments.hasModelComment", "comments.modelLength", "trailer".
  std::map<std::string, std::size_t> at;
  std::size_t commentsBegin = 0;
  std::size_t commentsEnd = 0;
};

Ms3dBytes WriteMs3d(const Ms3dFixture& fixture);

// A small model in the modeller's own convention (comments only where not empty,
// in index order): two groups, one material, four joints of which two carry
// comments, a model comment, and trailing extra data.
Ms3dFixture SampleFixture();

void PatchU16(std::string& bytes, std::size_t at, std::uint16_t value);
void PatchI32(std::string& bytes, std::size_t at, std::int32_t value);

std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& bytes);

// A fresh folder under the system's temporary folder, removed with all it holds.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  // The names of the entries in the folder, sorted.
  std::vector<std::string> Entries() const;
  // Makes folders one inside the other in this one, to a path of `length` bytes (at
  // least 2 more than this folder's), and returns that path.
  std::string DeepFolder(std::size_t length) const;

 private:
  std::string path_;
};

}  // namespace quorvel::testing
