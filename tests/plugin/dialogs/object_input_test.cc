#include "plugin/dialogs/object_input.h"

#include <gtest/gtest.h>

#include "tests/plugin/dialogs/scripted_user.h"

namespace quorvel::ui {
namespace {

struct RunResult {
  int result = 0;
  int selection = 0;
};

RunResult RunObject(std::string_view script, const NameList& choices) {
  RunResult out;
  out.result = testing::PlayDialog<CObjectInput>(
      script, [&](CObjectInput& input) { input.choices = choices; },
      [&](const CObjectInput& input) { out.selection = input.selection; });
  return out;
}

const NameList kShips{"Fighter1", "Fighter2", "Carrier"};

TEST(ObjectInputTest, OffersTheChoicesInOrderWithNothingChosen) {
  const RunResult run = RunObject(R"(window 11009
expect-title Input
expect-items 11013 ["Fighter1","Fighter2","Carrier"]
expect-selected 11013 -1
expect 11013 ""
click 1
)",
                                  kShips);
  EXPECT_EQ(run.result, IDOK);
  EXPECT_EQ(run.selection, -1);
}

TEST(ObjectInputTest, ChoosingTheThirdNameGivesTwo) {
  const RunResult run =
      RunObject("window 11009\npick 11013 2\nexpect 11013 Carrier\nclick 1\n", kShips);
  EXPECT_EQ(run.result, IDOK);
  EXPECT_EQ(run.selection, 2);
}

TEST(ObjectInputTest, CancelAfterAChoiceReturnsCancel) {
  EXPECT_EQ(RunObject("window 11009\npick 11013 0\nclick 2\n", kShips).result, IDCANCEL);
}

TEST(ObjectInputTest, EmptyChoicesGiveAnEmptyComboAndNoSelection) {
  const RunResult run = RunObject("window 11009\nexpect-items 11013 []\nclick 1\n", NameList{});
  EXPECT_EQ(run.result, IDOK);
  EXPECT_EQ(run.selection, -1);
}

TEST(ObjectInputTest, DuplicateNamesAreOfferedTwice) {
  const RunResult run =
      RunObject("window 11009\nexpect-items 11013 [\"A\",\"A\"]\npick 11013 1\nclick 1\n",
                NameList{"A", "A"});
  EXPECT_EQ(run.selection, 1);
}

}  // namespace
}  // namespace quorvel::ui
