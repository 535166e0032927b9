#include "tools/check/near_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvel::check {
namespace {

TEST(NearNamesTest, SuggestsTheNameOneEditAwayOrDifferingInCase) {
  const NearNames names({"cameraCut", "cameraLeave", "Fighter1", "Fighter2", "Mother", "ab"});
  // (names of fewer than kShortestEdited characters get no edit suggestion)
  static_assert(NearNames::kShortestEdited == 6);
  const struct {
    std::string_view text;
    std::string_view expected;
  } cases[] = {
      {"cameraCat", "cameraCut"},   // one changed
      {"cameraCutt", "cameraCut"},  // one added
      {"camraCut", "cameraCut"},    // one left out
      {"caemraCut", "cameraCut"},   // two neighbours swapped
      {"CAMERACUT", "cameraCut"},   // only case
      {"cameracat", "cameraCut"},   // case not counted in an edit
      {"Fighter3", "Fighter1"},     // of two as near, the first
      {"mother", "Mother"},
      {"Fighter12", "Fighter1"},
      {"cameraC", ""},  // two left out
      {"camCut", ""},   // three left out
      {"acmeraCut", "cameraCut"},
      {"Motehr", "Mother"},
      {"Mohter", "Mother"},
      {"xb", ""},    // too short for an edit
      {"AB", "ab"},  // but not for case
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(names.Nearest(c.text), c.expected) << c.text;
  }
  EXPECT_EQ(names.DifferingInCase("fighter2"), "Fighter2");
  EXPECT_EQ(names.DifferingInCase("Fighter2"), "");  // the name itself is no suggestion
  EXPECT_EQ(NearNames().Nearest("anything"), "");
}

// Many names that share a length and most of their characters, as the joints of a
// big model do: a suggestion is found among them, and never one two edits away.
TEST(NearNamesTest, FindsTheNearNameAmongManyAlike) {
  std::vector<std::string> stored;
  for (int i = 0; i < 20000; ++i) {
    stored.push_back("Joint" + std::to_string(i));
  }
  NearNames names;
  for (const std::string& name : stored) {
    names.Add(name);
  }
  EXPECT_EQ(names.Nearest("Joint1234x"), "Joint1234");
  EXPECT_EQ(names.Nearest("Jiont777"), "Joint777");
  EXPECT_EQ(names.Nearest("joint19999"), "Joint19999");
  EXPECT_EQ(names.Nearest("Joint19999xy"), "");
  EXPECT_EQ(names.Nearest("Jnt5"), "");
}

}  // namespace
}  // namespace quorvel::check
