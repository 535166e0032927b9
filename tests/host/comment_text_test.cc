#include "host/comment_text.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace quorvel::host {
namespace {

// A comment of its own and one viewing bytes it does not own behave alike: copies,
// moves, assignments and clearing never touch the bytes viewed and never share a
// comment's own bytes, so each keeps its text whatever happens to the others.
TEST(CommentTextTest, OwnedAndViewingCommentsKeepTheirText) {
  const std::string file("Sob Type=ship\r\n\0binary\xff", 24);
  struct Case {
    const char* name;
    CommentText (*make)(const std::string& file);
  };
  const Case cases[] = {
      {"own", [](const std::string& bytes) { return CommentText(bytes); }},
      {"view", [](const std::string& bytes) { return CommentText::Viewing(bytes); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CommentText original = c.make(file);
    EXPECT_EQ(original, file);
    EXPECT_EQ(original.size(), file.size());
    EXPECT_EQ(original.find("ship"), 9u);
    EXPECT_EQ(original.data() == file.data(), std::string(c.name) == "view");

    CommentText copy = original;
    CommentText assigned("before");
    assigned = original;
    std::vector<CommentText> grown(3, original);
    grown.resize(100);  // moves the three
    CommentText moved = std::move(grown[1]);
    for (const CommentText* text : {&copy, &assigned, &grown[0], &moved}) {
      EXPECT_EQ(*text, original);
      EXPECT_EQ(text->View(), std::string_view(file));
    }
    EXPECT_TRUE(grown[1].empty());  // moved from

    original = "changed";
    copy.clear();
    EXPECT_EQ(original, "changed");
    EXPECT_EQ(std::string(original), "changed");
    EXPECT_TRUE(copy.empty());
    EXPECT_EQ(copy, "");
    EXPECT_EQ(assigned, file);
    EXPECT_EQ(moved, file);
    original = original;  // NOLINT: assignment to itself keeps the text
    EXPECT_EQ(original, "changed");
    moved += "\r\nmore";
    EXPECT_EQ(moved, file + "\r\nmore");
    EXPECT_EQ(assigned, file);
    std::ostringstream printed;
    printed << assigned;
    EXPECT_EQ(printed.str(), file);
  }
  EXPECT_TRUE(CommentText::Viewing(std::string_view()).empty());
  EXPECT_TRUE(CommentText("").empty());
}

}  // namespace
}  // namespace quorvel::host
