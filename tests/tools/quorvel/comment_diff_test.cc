#include "tools/quorvel/comment_diff.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace quorvel::app {
namespace {

std::string Diff(const std::string& before, const std::string& after) {
  std::ostringstream out;
  WriteCommentDiff(before, after, "m", out);
  return out.str();
}

std::string Lines(int from, int to) {
  std::string text;
  for (int i = from; i < to; ++i) {
    text += "Event" + std::to_string(i) + "=x\r\n";
  }
  return text;
}

TEST(CommentDiffTest, EqualTextsGiveNothing) {
  EXPECT_EQ(Diff("A=1\r\n", "A=1\r\n"), "");
}

TEST(CommentDiffTest, LineEndsAreShown) {
  EXPECT_EQ(Diff("A=1\r\nB=2\r\n", "A=1\nB=2\r\n"),
            "--- m\n+++ m (applied)\n@@ -1,2 +1,2 @@\n-A=1\\r\\n\n+A=1\\n\n B=2\\r\\n\n");
  EXPECT_EQ(Diff("", "A=\x1b\r\n"), "--- m\n+++ m (applied)\n@@ -0,0 +1,1 @@\n+A=\\u001b\\r\\n\n");
  EXPECT_EQ(Diff("A=1", "A=1\r\n"), "--- m\n+++ m (applied)\n@@ -1,1 +1,1 @@\n-A=1\n+A=1\\r\\n\n");
}

// Changes more than six lines apart are hunks of their own, each with three lines of
// context; closer ones share one.
TEST(CommentDiffTest, DistantChangesAreHunksOfTheirOwn) {
  const std::string before = Lines(0, 20);
  const std::string after = "Top=1\r\n" + Lines(0, 12) + Lines(13, 20);
  EXPECT_EQ(Diff(before, after),
            "--- m\n+++ m (applied)\n"
            "@@ -1,3 +1,4 @@\n+Top=1\\r\\n\n Event0=x\\r\\n\n Event1=x\\r\\n\n Event2=x\\r\\n\n"
            "@@ -10,7 +11,6 @@\n Event9=x\\r\\n\n Event10=x\\r\\n\n Event11=x\\r\\n\n"
            "-Event12=x\\r\\n\n Event13=x\\r\\n\n Event14=x\\r\\n\n Event15=x\\r\\n\n");
  const std::string close = Lines(0, 3) + "New=1\r\n" + Lines(3, 8) + Lines(9, 20);
  const std::string diff = Diff(Lines(0, 20), close);
  EXPECT_EQ(diff.find("@@ -1,12 +1,12 @@\n"), diff.find("@@")) << diff;
  EXPECT_EQ(diff.find("@@", diff.find("@@") + 2), diff.rfind("@@")) << "one hunk:\n" << diff;
}

}  // namespace
}  // namespace quorvel::app
