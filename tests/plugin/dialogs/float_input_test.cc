#include "plugin/dialogs/float_input.h"

#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "framework/core/ddx_conversions.h"
#include "tests/plugin/dialogs/scripted_user.h"

namespace quorvel::ui {
namespace {

struct RunResult {
  int result = 0;
  float number = 0;
};

RunResult RunFloat(std::string_view script, float number, bool forEventValue = false,
                   testing::ScriptRecord* record = nullptr) {
  RunResult out;
  out.result = testing::PlayDialog<CFloatInput>(
      script,
      [&](CFloatInput& input) {
        input.number = number;
        input.forEventValue = forEventValue;
      },
      [&](const CFloatInput& input) { out.number = input.number; }, record);
  return out;
}

TEST(FloatInputTest, ShowsTheNumberWithSixSignificantDigitsOrAsManyAsItTakes) {
  const std::pair<float, std::string> cases[] = {
      {0.5f, "0.5"}, {1234567.0f, "1234567"}, {0.0f, "0"}, {2.75f, "2.75"}, {30.0f, "30"}};
  for (const auto& [number, shown] : cases) {
    const RunResult run =
        RunFloat("window 11007\nexpect-title Input\nexpect 11011 " + shown + "\nclick 2\n", number);
    EXPECT_EQ(run.result, IDCANCEL);
    EXPECT_EQ(run.number, number);
  }
}

// OK on a field the user did not touch keeps the number exactly.
TEST(FloatInputTest, OkWithoutTypingKeepsTheNumber) {
  const float cases[] = {
      1234567.0f, 16777216.0f, 0.1f,  0.3f, 1e-7f, std::numeric_limits<float>::max(),
      123456.7f,  0.5f,        2.75f, 30.0f};
  for (const float number : cases) {
    const RunResult run = RunFloat("window 11007\nclick 1\n", number);
    EXPECT_EQ(run.result, IDOK);
    EXPECT_EQ(run.number, number) << FormatFloatText(number);
  }
}

TEST(FloatInputTest, OkTakesTheTypedNumber) {
  const RunResult run = RunFloat("window 11007\nset 11011 2.75\nclick 1\n", 0.5f);
  EXPECT_EQ(run.result, IDOK);
  EXPECT_EQ(run.number, 2.75f);
}

TEST(FloatInputTest, CancelLeavesTheNumber) {
  const RunResult run = RunFloat("window 11007\nset 11011 9\nclick 2\n", 0.5f);
  EXPECT_EQ(run.result, IDCANCEL);
  EXPECT_EQ(run.number, 0.5f);
}

TEST(FloatInputTest, RefusesTextThatIsNotANumberAndStaysOpen) {
  const RunResult run = RunFloat(R"(window 11007
set 11011 abc
click 1
window message
expect-message Please enter a number.
answer ok
window 11007
set 11011 " 3.5 "
click 1
)",
                                 0.0f);
  EXPECT_EQ(run.result, IDOK);
  EXPECT_EQ(run.number, 3.5f);
}

TEST(FloatInputTest, PlainEntryTakesNegativeNumbers) {
  const RunResult run = RunFloat("window 11007\nset 11011 -2\nclick 1\n", 0.0f);
  EXPECT_EQ(run.result, IDOK);
  EXPECT_EQ(run.number, -2.0f);
}

TEST(FloatInputTest, EventValueEntryRefusesNegativeNumbers) {
  testing::ScriptRecord record;
  const RunResult run = RunFloat(R"(window 11007
set 11011 -2.5
click 1
window message
expect-title Quorvel
expect-message Please enter a number of 0 or more: stored numbers carry no sign.
answer ok
window 11007
expect 11011 -2.5
set 11011 2.5
click 1
)",
                                 1.0f, true, &record);
  EXPECT_EQ(run.result, IDOK);
  EXPECT_EQ(run.number, 2.5f);
  // After the refusal the focus went back to the edit with its whole text selected.
  ASSERT_GE(record.focusMoves.size(), 2u);
  const testing::FocusMove back = record.focusMoves[record.focusMoves.size() - 2];
  EXPECT_EQ(back.controlId, 11011);
  EXPECT_EQ(back.text, "-2.5");
  EXPECT_EQ(back.selectionStart, 0);
  EXPECT_EQ(back.selectionEnd, 4);
}

TEST(FloatInputTest, EventValueEntryTakesZeroAndLargeWholeNumbers) {
  const std::pair<std::string, float> cases[] = {
      {"0", 0.0f}, {"-0", 0.0f}, {"3000000000", 3.0e9f}, {"0.25", 0.25f}};
  for (const auto& [typed, number] : cases) {
    const RunResult run = RunFloat("window 11007\nset 11011 " + typed + "\nclick 1\n", 1.0f, true);
    EXPECT_EQ(run.result, IDOK) << typed;
    EXPECT_EQ(run.number, number) << typed;
  }
}

// Beyond 2^53 the number text form does not always read back what it wrote.
TEST(FloatInputTest, EventValueEntryRefusesNumbersThatCannotBeStoredExactly) {
  const RunResult run = RunFloat(R"(window 11007
set 11011 881714385951653888
click 1
window message
expect-message Please enter a number below 2147483648: this one cannot be stored exactly.
answer ok
window 11007
set 11011 4000000000
click 1
)",
                                 1.0f, true);
  EXPECT_EQ(run.result, IDOK);
  EXPECT_EQ(run.number, 4.0e9f);
}

}  // namespace
}  // namespace quorvel::ui
