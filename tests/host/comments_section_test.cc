#include "host/comments_section.h"

#include <gtest/gtest.h>

#include "host/ms3d_reader.h"
#include "tests/support/ms3d_fixture.h"

namespace quorvel::host {
namespace {

using quorvel::testing::Ms3dBytes;
using quorvel::testing::Ms3dFixture;
using quorvel::testing::SampleFixture;
using quorvel::testing::WriteMs3d;

Ms3dContents Read(const std::string& bytes) {
  MemorySource source(bytes);
  return ReadMs3d(source, "test.ms3d");
}

// A file written in the modeller's own convention gets the very same bytes back.
TEST(CommentsSectionTest, RebuildsTheModellersOwnSectionByteForByte) {
  Ms3dBytes file = WriteMs3d(SampleFixture());
  std::string section = BuildCommentsSection(Read(file.bytes).model, "test.ms3d");
  EXPECT_EQ(section, file.bytes.substr(file.commentsBegin, file.commentsEnd - file.commentsBegin));
}

TEST(CommentsSectionTest, WritesNonEmptyCommentsInIndexOrder) {
  Ms3dFixture unordered = SampleFixture();
  unordered.jointComments = {{3, "three"}, {0, "zero"}, {1, ""}};
  unordered.modelComment = "";
  Model model = Read(WriteMs3d(unordered).bytes).model;

  Ms3dFixture expected = SampleFixture();
  expected.jointComments = {{0, "zero"}, {3, "three"}};
  expected.modelComment.reset();
  Ms3dBytes file = WriteMs3d(expected);
  EXPECT_EQ(BuildCommentsSection(model, "test.ms3d"),
            file.bytes.substr(file.commentsBegin, file.commentsEnd - file.commentsBegin));
}

TEST(CommentsSectionTest, EmptyModelGivesEmptyLists) {
  EXPECT_EQ(BuildCommentsSection(Model{}, "x"),
            std::string("\1\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 20));
}

TEST(CommentsSectionTest, ReadsBackEveryByteOfEveryComment) {
  Ms3dFixture f = SampleFixture();
  f.withComments = false;
  f.trailer.clear();
  Ms3dBytes file = WriteMs3d(f);
  Model model = Read(file.bytes).model;
  std::string all;
  for (int c = 0; c < 256; ++c) {
    all.push_back(static_cast<char>(c));
  }
  model.joints[3].comment = all;
  model.meshes[0].comment = "mesh";
  model.materials[0].comment = std::string(5000, 'm');
  model.comment = all + all;

  Model back = Read(file.bytes + BuildCommentsSection(model, "x")).model;
  EXPECT_EQ(back.joints[3].comment, all);
  EXPECT_EQ(back.meshes[0].comment, "mesh");
  EXPECT_EQ(back.materials[0].comment, std::string(5000, 'm'));
  EXPECT_EQ(back.comment, all + all);
}

}  // namespace
}  // namespace quorvel::host
