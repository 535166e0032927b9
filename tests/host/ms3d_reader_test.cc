#include "host/ms3d_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <algorithm>
#include <functional>

#include "host/ms3d_error.h"
#include "tests/support/ms3d_fixture.h"

namespace quorvel::host {
namespace {

using quorvel::testing::Ms3dBytes;
using quorvel::testing::Ms3dFixture;
using quorvel::testing::PatchI32;
using quorvel::testing::PatchU16;
using quorvel::testing::SampleFixture;
using quorvel::testing::WriteMs3d;
using ::testing::HasSubstr;

Ms3dContents Read(const std::string& bytes) {
  MemorySource source(bytes);
  return ReadMs3d(source, "test.ms3d");
}

std::string ErrorOf(const std::string& bytes) {
  try {
    Read(bytes);
  } catch (const Ms3dError& error) {
    return error.what();
  }
  return "(no error)";
}

TEST(Ms3dReaderTest, ReadsNamesFlagsCommentsAndTotals) {
  Ms3dBytes file = WriteMs3d(SampleFixture());
  Ms3dContents contents = Read(file.bytes);
  const Model& model = contents.model;

  EXPECT_EQ(model.vertexCount, 6u);
  EXPECT_EQ(model.triangleCount, 2u);
  EXPECT_EQ(model.totalFrames, 120);
  ASSERT_EQ(model.meshes.size(), 2u);
  EXPECT_EQ(model.meshes[0].name, "Hull");
  EXPECT_EQ(model.meshes[1].comment, "wing group");
  ASSERT_EQ(model.materials.size(), 1u);
  EXPECT_EQ(model.materials[0].name, "Paint");
  ASSERT_EQ(model.joints.size(), 4u);
  EXPECT_EQ(model.joints[0].name, "ZU2_Root");
  EXPECT_EQ(model.joints[0].comment, "");
  EXPECT_EQ(model.joints[1].comment, "Center Of Interest=Fighter1\r\nNum Events=0\r\n");
  EXPECT_EQ(model.joints[2].flags, 5);
  EXPECT_EQ(model.joints[3].flags, 2);
  EXPECT_EQ(model.comment, "OPT_FPS=30\r\nNum Events=0\r\n");

  EXPECT_TRUE(contents.comments.present);
  EXPECT_EQ(contents.comments.begin, file.commentsBegin);
  EXPECT_EQ(contents.comments.end, file.commentsEnd);
  EXPECT_EQ(contents.fileSize, file.bytes.size());
}

TEST(Ms3dReaderTest, TakesCommentsInAnyOrderWithAnyBytes) {
  Ms3dFixture f = SampleFixture();
  std::string binary("a\0b\r\n\xff\x80", 7);
  f.jointComments = {{3, binary}, {0, "first"}, {2, ""}};
  f.modelComment.reset();
  Model model = Read(WriteMs3d(f).bytes).model;
  EXPECT_EQ(model.joints[0].comment, "first");
  EXPECT_EQ(model.joints[1].comment, "");
  EXPECT_EQ(model.joints[2].comment, "");
  EXPECT_EQ(model.joints[3].comment, binary);
  EXPECT_EQ(model.comment, "");
}

TEST(Ms3dReaderTest, FileEndingAfterJointsHasNoCommentsSection) {
  Ms3dFixture f = SampleFixture();
  f.withComments = false;
  f.trailer.clear();
  Ms3dBytes file = WriteMs3d(f);
  Ms3dContents contents = Read(file.bytes);
  EXPECT_FALSE(contents.comments.present);
  EXPECT_EQ(contents.comments.begin, file.bytes.size());
  EXPECT_EQ(contents.comments.end, file.bytes.size());
  EXPECT_EQ(contents.model.joints.size(), 4u);
}

TEST(Ms3dReaderTest, NameFillingTheWholeFieldIsKeptWhole) {
  Ms3dFixture f = SampleFixture();
  f.joints[0].name = std::string(32, 'N');
  EXPECT_EQ(Read(WriteMs3d(f).bytes).model.joints[0].name, std::string(32, 'N'));
}

TEST(Ms3dReaderTest, ErrorNamesSectionItemAndByteOffset) {
  Ms3dFixture f = SampleFixture();
  f.trailer.clear();
  f.withComments = false;
  Ms3dBytes file = WriteMs3d(f);
  PatchU16(file.bytes, file.at["joint3.rotationKeys"], 65535);
  EXPECT_EQ(ErrorOf(file.bytes), "test.ms3d: joints section: joint 3 of 4 at byte " +
                                     std::to_string(file.at["joint3"]) +
                                     ": rotation key count 65535 needs 1048560 bytes, 0 remain");
}

// A file cut inside a joint's record or a comment's index and length names the field
// it ends in, whether the reader takes the record's fields at once or one by one.
TEST(Ms3dReaderTest, ACutNamesTheFieldItEndsIn) {
  const Ms3dBytes file = WriteMs3d(SampleFixture());
  const std::size_t joint = file.at.at("joint3");
  const std::size_t entry = file.at.at("comments.joint1.index");
  const std::string entryItem = "joint comment 1 of 2 at byte " + std::to_string(entry) + ": ";
  const struct {
    std::size_t cut;
    std::string expected;
  } cases[] = {
      {joint, "the flags needs 1 bytes, 0 remain"},
      {joint + 1, "the name needs 32 bytes, 0 remain"},
      {joint + 20, "the name needs 32 bytes, 19 remain"},
      {joint + 33, "the parent name and rest pose needs 56 bytes, 0 remain"},
      {joint + 88, "the parent name and rest pose needs 56 bytes, 55 remain"},
      {joint + 90, "the rotation key count needs 2 bytes, 1 remain"},
      {joint + 91, "the position key count needs 2 bytes, 0 remain"},
      {entry + 2, entryItem + "the index needs 4 bytes, 2 remain"},
      {entry + 6, entryItem + "the length needs 4 bytes, 2 remain"},
  };
  for (const auto& c : cases) {
    EXPECT_THAT(ErrorOf(file.bytes.substr(0, c.cut)), HasSubstr(c.expected)) << c.cut;
  }
}

// A file that ends too soon is said so in plain words, apart from the message that
// names the field: where it ends, and how far it would have to go at least.
TEST(Ms3dReaderTest, ACutIsSaidInPlainWords) {
  const Ms3dBytes file = WriteMs3d(SampleFixture());
  const std::size_t joint = file.at.at("joint3");
  const struct {
    std::size_t cut;
    std::string expected;
  } cases[] = {
      {9, "the file ends inside the header (byte 9 of 14)"},
      {14, "the file ends inside the vertices section (byte 14 of 16)"},
      {joint + 20, "the file ends inside the joints section (byte " + std::to_string(joint + 20) +
                       " of " + std::to_string(joint + 33) + ")"},
  };
  for (const auto& c : cases) {
    try {
      Read(file.bytes.substr(0, c.cut));
      ADD_FAILURE() << c.cut << " read";
    } catch (const Ms3dError& error) {
      EXPECT_EQ(error.PlainLine(),
                "test.ms3d: " + c.expected + ": it is cut short or not a model file");
      EXPECT_EQ(error.ForPerson(), error.PlainLine() + "\n" + error.what());
    }
  }
  // A count beyond the data is no different to a person: the file ends too soon.
  Ms3dBytes many = WriteMs3d(SampleFixture());
  PatchU16(many.bytes, many.at["vertexCount"], 65535);
  many.bytes.resize(many.at["triangleCount"]);
  try {
    Read(many.bytes);
    ADD_FAILURE() << "read";
  } catch (const Ms3dError& error) {
    EXPECT_EQ(error.PlainLine(), "test.ms3d: the file ends inside the vertices section (byte " +
                                     std::to_string(many.bytes.size()) + " of " +
                                     std::to_string(16 + 65535 * 15) +
                                     "): it is cut short or not a model file");
  }
}

struct HostileCase {
  const char* name;
  std::function<void(Ms3dBytes&)> spoil;
  const char* expected;
};

class Ms3dHostileTest : public ::testing::TestWithParam<HostileCase> {};

TEST_P(Ms3dHostileTest, GivesAClearErrorAndNoModel) {
  Ms3dBytes file = WriteMs3d(SampleFixture());
  GetParam().spoil(file);
  std::string error = ErrorOf(file.bytes);
  EXPECT_THAT(error, HasSubstr(GetParam().expected));
  EXPECT_THAT(error, ::testing::StartsWith("test.ms3d: "));
}

void I32At(Ms3dBytes& f, const char* field, std::int32_t v) {
  PatchI32(f.bytes, f.at.at(field), v);
}
void U16At(Ms3dBytes& f, const char* field, std::uint16_t v) {
  PatchU16(f.bytes, f.at.at(field), v);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Ms3dHostileTest,
    ::testing::Values(
        HostileCase{"Empty", [](Ms3dBytes& f) { f.bytes.clear(); },
                    "test.ms3d: the file is empty (0 bytes)"},
        HostileCase{"ShorterThanItsHeader", [](Ms3dBytes& f) { f.bytes.resize(9); },
                    "header at byte 0: a model file header needs 14 bytes, 9 remain"},
        HostileCase{"WrongMagic", [](Ms3dBytes& f) { f.bytes[0] = 'X'; },
                    "header at byte 0: not a model file"},
        HostileCase{"Version3", [](Ms3dBytes& f) { I32At(f, "version", 3); },
                    "version 3 (at byte 10); only version 4 can be read"},
        HostileCase{"VersionNegative", [](Ms3dBytes& f) { I32At(f, "version", -4); }, "version -4"},
        HostileCase{"VertexCountBeyondData",
                    [](Ms3dBytes& f) {
                      U16At(f, "vertexCount", 65535);
                      f.bytes.resize(f.at["triangleCount"]);
                    },
                    "vertices section at byte 14: vertex count 65535 needs 983025 bytes"},
        HostileCase{"TriangleCountBeyondData",
                    [](Ms3dBytes& f) {
                      U16At(f, "triangleCount", 40000);
                      f.bytes.resize(f.at["groupCount"]);
                    },
                    "triangles section at byte"},
        HostileCase{"GroupCountBeyondData", [](Ms3dBytes& f) { U16At(f, "groupCount", 60000); },
                    "groups section at byte"},
        HostileCase{"GroupTriangleIndicesBeyondData",
                    [](Ms3dBytes& f) { U16At(f, "group1.triangleCount", 65000); },
                    "group 1 of 2 at byte"},
        HostileCase{"MaterialCountBeyondData",
                    [](Ms3dBytes& f) { U16At(f, "materialCount", 9000); },
                    "materials section at byte"},
        HostileCase{"JointCountBeyondData", [](Ms3dBytes& f) { U16At(f, "jointCount", 65535); },
                    "joints section at byte"},
        HostileCase{"JointCountBeyondTheSmallestJoints",
                    [](Ms3dBytes& f) { U16At(f, "jointCount", 65535); },
                    "joint count 65535 needs at least 6094755 bytes"},
        HostileCase{"PositionKeysBeyondData",
                    [](Ms3dBytes& f) { U16At(f, "joint2.positionKeys", 65535); },
                    "joint 2 of 4 at byte"},
        HostileCase{"CommentsSubVersion2", [](Ms3dBytes& f) { I32At(f, "comments", 2); },
                    "comments section at byte"},
        HostileCase{"NegativeCommentCount",
                    [](Ms3dBytes& f) { I32At(f, "comments.jointCount", -1); },
                    "joint comment count -1 is negative"},
        HostileCase{"HugeCommentCount",
                    [](Ms3dBytes& f) { I32At(f, "comments.jointCount", 0x7fffffff); },
                    "joint comment count 2147483647 needs at least 17179869176 bytes"},
        HostileCase{"CommentIndexPastTheJoints",
                    [](Ms3dBytes& f) { I32At(f, "comments.joint1.index", 4); },
                    "joint comment 1 of 2 at byte"},
        HostileCase{"CommentIndexNegative",
                    [](Ms3dBytes& f) { I32At(f, "comments.group0.index", -1); },
                    "index -1 is out of range: the model has 2 groups"},
        HostileCase{"GroupCommentIndexEqualToCount",
                    [](Ms3dBytes& f) { I32At(f, "comments.group0.index", 2); },
                    "group comment 0 of 1 at byte"},
        HostileCase{"SecondCommentForOneJoint",
                    [](Ms3dBytes& f) { I32At(f, "comments.joint1.index", 1); },
                    "a second comment for joint 1"},
        HostileCase{"NegativeCommentLength",
                    [](Ms3dBytes& f) { I32At(f, "comments.joint0.length", -5); },
                    "length -5 is negative"},
        HostileCase{"CommentLongerThanTheFile",
                    [](Ms3dBytes& f) { I32At(f, "comments.joint0.length", 0x7ffffff0); },
                    "text of length 2147483632 needs 2147483632 bytes"},
        HostileCase{"ModelCommentFlag2",
                    [](Ms3dBytes& f) { I32At(f, "comments.hasModelComment", 2); },
                    "model comment flag 2 is neither 0 nor 1"},
        HostileCase{"ModelCommentLengthNegative",
                    [](Ms3dBytes& f) { I32At(f, "comments.modelLength", -1); },
                    "model comment length -1 is negative"},
        HostileCase{"ModelCommentLongerThanTheFile",
                    [](Ms3dBytes& f) { I32At(f, "comments.modelLength", 1 << 30); },
                    "model comment of length 1073741824 needs"},
        HostileCase{"VertexExtraSubVersion4", [](Ms3dBytes& f) { I32At(f, "trailer", 4); },
                    "vertex extra section at byte"},
        HostileCase{"JointExtraSubVersion2",
                    [](Ms3dBytes& f) { PatchI32(f.bytes, f.at["trailer"] + 4 + 6 * 6, 2); },
                    "joint extra section at byte"},
        HostileCase{
            "ModelExtraSubVersion3",
            [](Ms3dBytes& f) { f.bytes += std::string("\x03\0\0\0", 4) + std::string(12, '\0'); },
            "model extra section at byte"},
        HostileCase{"ModelExtraShort",
                    [](Ms3dBytes& f) { f.bytes += std::string("\x01\0\0\0", 4) + "12345"; },
                    "the joint size, transparency mode and alpha reference needs 12 bytes, 5 "
                    "remain"},
        HostileCase{"StrayBytesAfterTheJoints",
                    [](Ms3dBytes& f) { f.bytes.resize(f.commentsBegin + 3); },
                    "the sub-version needs 4 bytes, 3 remain"}),
    [](const ::testing::TestParamInfo<HostileCase>& info) { return info.param.name; });

// A file cut anywhere is refused with an error that says where (an empty one is
// called empty), except when it is cut exactly after the joints, which is a valid
// file without comments.
TEST(Ms3dReaderTest, EveryTruncationIsRefusedOrComplete) {
  Ms3dBytes file = WriteMs3d(SampleFixture());
  for (std::size_t size = 0; size < file.commentsEnd; ++size) {
    SCOPED_TRACE("cut at " + std::to_string(size));
    std::string cut = file.bytes.substr(0, size);
    if (size == file.commentsBegin) {
      EXPECT_FALSE(Read(cut).comments.present);
      continue;
    }
    if (size == 0) {
      EXPECT_THAT(ErrorOf(cut), ::testing::HasSubstr("the file is empty"));
      continue;
    }
    EXPECT_THAT(ErrorOf(cut),
                ::testing::MatchesRegex("test\\.ms3d: .* needs (at least )?[0-9]+ bytes, "
                                        "[0-9]+ remain"));
  }
}

// Where a file may end: after the joints (no comments), or after the comments or one
// of the extra data sections that follow them. The extra data sections are found
// from their sub-versions and the model's counts.
std::vector<std::size_t> LegitimateEnds(const std::string& bytes) {
  Ms3dContents whole = Read(bytes);
  auto i32At = [&bytes](std::size_t at) {
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < 4; ++i) {
      bits |= std::uint32_t{static_cast<unsigned char>(bytes.at(at + i))} << (8 * i);
    }
    return static_cast<std::int32_t>(bits);
  };
  std::vector<std::size_t> ends = {whole.comments.begin, whole.comments.end};
  std::size_t at = whole.comments.end;
  const std::size_t vertexExtra[] = {6, 10, 14};
  if (at < bytes.size()) {
    at += 4 + whole.model.vertexCount * vertexExtra[i32At(at) - 1];
    ends.push_back(at);
  }
  if (at < bytes.size()) {
    at += 4 + whole.model.joints.size() * 12;
    ends.push_back(at);
  }
  ends.push_back(bytes.size());
  return ends;
}

struct CutFile {
  const char* name;
  std::function<std::string()> bytes;
  std::size_t legitimateEnds;  // how many distinct places the file may end
};

class Ms3dCutTest : public ::testing::TestWithParam<CutFile> {};

// A file cut at any byte, in the comments or in the extra data after them, is
// refused with an error that says what was cut short and where, unless it ends at
// one of the places where a file may end.
TEST_P(Ms3dCutTest, EveryCutIsRefusedOrALegitimateEnd) {
  const std::string bytes = GetParam().bytes();
  std::vector<std::size_t> ends = LegitimateEnds(bytes);
  ends.erase(std::unique(ends.begin(), ends.end()), ends.end());
  EXPECT_EQ(ends.size(), GetParam().legitimateEnds);
  std::size_t refused = 0;
  for (std::size_t size = 0; size <= bytes.size(); ++size) {
    SCOPED_TRACE("cut at " + std::to_string(size) + " of " + std::to_string(bytes.size()));
    std::string cut = bytes.substr(0, size);
    if (std::find(ends.begin(), ends.end(), size) != ends.end()) {
      EXPECT_EQ(ErrorOf(cut), "(no error)");
      continue;
    }
    EXPECT_THAT(ErrorOf(cut), ::testing::MatchesRegex("test\\.ms3d: (the file is empty .*|.* needs "
                                                      "(at least )?[0-9]+ bytes, [0-9]+ remain)"));
    ++refused;
  }
  EXPECT_EQ(refused, bytes.size() + 1 - ends.size());
}

INSTANTIATE_TEST_SUITE_P(Files, Ms3dCutTest,
                         ::testing::Values(
                             // Vertex extra sub-version 1 and joint extra, no model extra.
                             CutFile{"Sample", [] { return WriteMs3d(SampleFixture()).bytes; }, 4},
                             // All three extra data sections, vertex extra sub-version 2.
                             CutFile{"Example",
                                     [] {
                                       return quorvel::testing::ReadWholeFile(
                                           QUORVEL_SOURCE_DIR "/examples/fleet.ms3d");
                                     },
                                     5}),
                         [](const ::testing::TestParamInfo<CutFile>& info) {
                           return info.param.name;
                         });

TEST(Ms3dReaderTest, FileErrorsNameThePath) {
  quorvel::testing::TempFolder folder;
  auto message = [](const std::string& path) {
    try {
      ReadMs3dFile(path);
    } catch (const Ms3dError& error) {
      return std::string(error.what());
    }
    return std::string("(no error)");
  };
  EXPECT_EQ(message(folder.File("missing.ms3d")),
            folder.File("missing.ms3d") + ": cannot open: No such file or directory");
  EXPECT_EQ(message(folder.Path()), folder.Path() + ": cannot read: it is a folder");
  // Neither waits for a writer or reads for ever.
  ASSERT_EQ(mkfifo(folder.File("fifo.ms3d").c_str(), 0600), 0);
  EXPECT_EQ(message(folder.File("fifo.ms3d")),
            folder.File("fifo.ms3d") + ": cannot read: it is not a regular file");
  EXPECT_EQ(message("/dev/zero"), "/dev/zero: cannot read: it is not a regular file");
}

}  // namespace
}  // namespace quorvel::host
