#include "tools/check/comment_lines.h"

#include <gtest/gtest.h>

namespace quorvel::check {
namespace {

TEST(CommentLinesTest, KeyRoles) {
  struct Case {
    RecordKind kind;
    std::string_view key;
    KeyRole::Kind role;
    std::uint32_t index;
  };
  const Case cases[] = {
      {RecordKind::kModel, "OPT_FPS", KeyRole::kFixed, 0},
      {RecordKind::kFollower, "OPT_FPS", KeyRole::kNone, 0},
      {RecordKind::kCamera, "Sob Type", KeyRole::kNone, 0},
      {RecordKind::kCamera, "Center Of Interest", KeyRole::kFixed, 0},
      {RecordKind::kFollower, "Num Events", KeyRole::kCount, 0},
      {RecordKind::kFollower, "Event0", KeyRole::kEvent, 0},
      {RecordKind::kFollower, "Event12", KeyRole::kEvent, 12},
      {RecordKind::kFollower, "Event01", KeyRole::kNone, 0},  // the writer never pads
      {RecordKind::kFollower, "Event", KeyRole::kNone, 0},
      {RecordKind::kFollower, "Event1x", KeyRole::kNone, 0},
      {RecordKind::kFollower, "event1", KeyRole::kNone, 0},
  };
  for (const Case& c : cases) {
    const KeyRole role = RoleOfKey(c.kind, c.key);
    EXPECT_EQ(role.kind, c.role) << c.key;
    EXPECT_EQ(role.eventIndex, c.index) << c.key;
  }
}

TEST(CommentLinesTest, LinesEndAtLfWithOrWithoutCr) {
  const std::vector<CommentLine> lines = SplitCommentLines("a=1\r\nb=2\nno equals\r\nc=");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[1].begin, 5u);
  EXPECT_EQ(lines[1].key, "b");
  EXPECT_FALSE(lines[2].hasEquals);
  EXPECT_EQ(lines[3].value, "");
}

TEST(CommentLinesTest, ShadowedKeysAreFoundWhereALoadFindsThem) {
  // A key that a longer key's line holds first: "Event1" inside "Event10".
  std::string comment = "Num Events=11\r\n";
  comment += "Event10=9|hide|\r\n";
  for (int i = 0; i < 10; ++i) {
    comment += "Event" + std::to_string(i) + "=1|show|\r\n";
  }
  const std::vector<ShadowedKey> shadowed =
      FindShadowedKeys(RecordKind::kFollower, comment, SplitCommentLines(comment), 11);
  ASSERT_EQ(shadowed.size(), 1u);
  EXPECT_EQ(shadowed[0].key, "Event1");
  EXPECT_EQ(shadowed[0].foundInLine, 1u);
  EXPECT_EQ(shadowed[0].readValue, "=9|hide|");
  EXPECT_FALSE(shadowed[0].duplicate);
}

TEST(CommentLinesTest, IndexRunsAreShort) {
  EXPECT_EQ(IndexRuns({3}), "3");
  EXPECT_EQ(IndexRuns({3, 4}), "3 and 4");
  EXPECT_EQ(IndexRuns({1, 2, 3, 7}), "1 to 3 and 7");
  EXPECT_EQ(IndexRuns({1, 3, 5, 7, 9, 11}), "1, 3, 5, 7, ...");
}

// Texts are compared a word at a time: equal texts of every length match, and a
// difference in any one byte, or in the length, is found.
TEST(CommentLinesTest, ShortTextsAreEqualOnlyWhenEveryByteIs) {
  for (std::size_t size = 0; size <= 40; ++size) {
    std::string a;
    for (std::size_t i = 0; i < size; ++i) {
      a += static_cast<char>('a' + i % 26);
    }
    EXPECT_TRUE(SameShortText(a, std::string(a))) << size;
    EXPECT_FALSE(SameShortText(a, a + "x")) << size;
    for (std::size_t at = 0; at < size; ++at) {
      std::string b = a;
      b[at] = static_cast<char>(b[at] ^ 0x80);
      EXPECT_FALSE(SameShortText(a, b)) << size << " " << at;
    }
  }
}

}  // namespace
}  // namespace quorvel::check
