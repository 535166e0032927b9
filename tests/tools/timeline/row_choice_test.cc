#include "tools/timeline/row_choice.h"

#include <gtest/gtest.h>

#include "tests/tools/check/check_fixture.h"
#include "tests/tools/timeline/timeline_models.h"
#include "tools/timeline/layout.h"

namespace quorvel::timeline {
namespace {

TEST(RowChoiceTest, GlobMatchesNames) {
  struct Case {
    std::string pattern;
    std::string name;
    bool matches;
  };
  const Case cases[] = {
      {"CAM_*", "CAM_Main", true},
      {"CAM_*", "CAM_", true},
      {"CAM_*", "cam_Main", false},
      {"*", "", true},
      {"", "", true},
      {"", "a", false},
      {"Fighter?", "Fighter1", true},
      {"Fighter?", "Fighter12", false},
      {"*1", "Fighter1", true},
      {"*1*", "CAM_10x", true},
      {"a*b*c", "aXbYbZc", true},
      {"a*b*c", "aXbYbZ", false},
      {"[FM]*", "Mother", true},
      {"[FM]*", "Rock", false},
      {"[!FM]*", "Rock", true},
      {"Joint[0-4]", "Joint3", true},
      {"Joint[0-4]", "Joint5", false},
      {"[]]x", "]x", true},
      {"[a", "[a", true},
      {"\\*", "*", true},
      {"\\*", "a", false},
      {"Wing\xE9*",
       "Wing\xE9"
       "7",
       true},
      {"**a**", "bab", true},
      // Long runs of stars stay quick.
      {std::string(30, '*') + "b", std::string(60, 'a'), false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GlobMatches(c.pattern, c.name), c.matches) << c.pattern << " on " << c.name;
  }
}

// Joints "J0".."J11", follower records; those of odd number have their only event at
// frame 500, the others at frame 10 + their number.
host::Model ManyRows() {
  host::Model model = quorvel::testing::CleanModel();
  model.joints.resize(1);  // ZU2_Root, skipped
  for (int i = 0; i < 12; ++i) {
    const int frame = i % 2 == 1 ? 500 : 10 + i;
    model.joints.push_back(
        {"J" + std::to_string(i), 1,
         quorvel::testing::FollowerComment("ship", "", {std::to_string(frame) + "|hide|"})});
  }
  return model;
}

std::vector<std::string> Titles(const Sequence& sequence) {
  std::vector<std::string> titles;
  for (const TimelineRow& row : sequence.rows) {
    titles.push_back(row.title.substr(0, row.title.find(' ')));
  }
  return titles;
}

TEST(RowChoiceTest, RowsPastTheLimitAndPatternsPickRows) {
  using Titles_ = std::vector<std::string>;
  struct Case {
    std::string what;
    RowChoice choice;
    Titles_ titles;
    std::string note;  // a part of it; empty: no note
  };
  const Case cases[] = {
      {"within the limit every row, events in the frames or not", {{}, 0, 100, 13}, {}, ""},
      {"past it, rows without events in the frames left out",
       {{}, 0, 100, 8},
       {"Model", "J0", "J2", "J4", "J6", "J8", "J10"},
       "More than 8 rows: 6 rows with no event in frames 0 to 100 left out."},
      {"and then the first rows",
       {{}, 0, 100, 4},
       {"Model", "J0", "J2", "J4"},
       "9 of 13 rows left out: past 4 rows, only the first 4 with an event in frames 0 to 100"},
      {"an open end reaches every later frame",
       {{}, 400, {}, 4},
       {"Model", "J1", "J3", "J5"},
       "in frames from 400"},
      {"patterns, either of two", {{"J1*", "J?"}, {}, {}, 2000}, {}, ""},
      {"patterns then the limit", {{"J1*"}, 0, 100, 2}, {"Model", "J10"}, "2 of 4 rows left out"},
  };
  for (const Case& c : cases) {
    const Sequence sequence = quorvel::testing::SequenceOf(ManyRows(), c.choice);
    Titles_ expected = c.titles;
    if (c.what.starts_with("within")) {
      expected = {"Model"};
      for (int i = 0; i < 12; ++i)
        expected.push_back("J" + std::to_string(i));
    } else if (c.what.starts_with("patterns, either")) {
      expected = {"Model", "J0", "J1", "J2", "J3",  "J4", "J5",
                  "J6",    "J7", "J8", "J9", "J10", "J11"};
    }
    EXPECT_EQ(Titles(sequence), expected) << c.what;
    if (c.note.empty()) {
      EXPECT_EQ(sequence.leftOutNote, "") << c.what;
    } else {
      EXPECT_NE(sequence.leftOutNote.find(c.note), std::string::npos)
          << c.what << ": " << sequence.leftOutNote;
      // The picture says it, on a line of its own above the legend.
      const Layout layout = LayOut(sequence, {1200, c.choice.from, c.choice.to});
      EXPECT_EQ(layout.leftOutNote, sequence.leftOutNote) << c.what;
      EXPECT_GT(layout.leftOutNoteY, layout.plot.Bottom()) << c.what;
      EXPECT_LT(layout.leftOutNoteY, layout.legend.front().swatch.y) << c.what;
    }
  }
}

}  // namespace
}  // namespace quorvel::timeline
