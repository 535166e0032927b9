#include "plugin/dialogs/string_input.h"

#include <string>

#include <gtest/gtest.h>

#include "tests/plugin/dialogs/scripted_user.h"

namespace quorvel::ui {
namespace {

struct RunResult {
  int result = 0;
  std::string text;
};

RunResult RunString(std::string_view script, std::string text, std::string prompt = {},
                    bool forEventValue = false, testing::ScriptRecord* record = nullptr) {
  RunResult out;
  out.result = testing::PlayDialog<CStringInput>(
      script,
      [&](CStringInput& input) {
        input.text = text;
        if (!prompt.empty())
          input.prompt = prompt;
        input.forEventValue = forEventValue;
      },
      [&](const CStringInput& input) { out.text = input.text; }, record);
  return out;
}

TEST(StringInputTest, ShowsTheDefaultPromptAndTheText) {
  const RunResult run = RunString(
      "window 11008\nexpect-title Input\nexpect 11012 Enter string:\nexpect 11011 abc\n"
      "click 1\n",
      "abc");
  EXPECT_EQ(run.result, IDOK);
  EXPECT_EQ(run.text, "abc");
}

TEST(StringInputTest, ShowsTheCallersPrompt) {
  RunString("window 11008\nexpect 11012 Please enter all appropriate parameters:\nclick 2\n", "",
            "Please enter all appropriate parameters:");
}

TEST(StringInputTest, GivesTheTextBackByteForByte) {
  const RunResult run = RunString("window 11008\nset 11011 \"  two  words \\t\"\nclick 1\n", "old");
  EXPECT_EQ(run.result, IDOK);
  EXPECT_EQ(run.text, "  two  words \t");
}

TEST(StringInputTest, TakesEmptyTextAndCancelKeepsTheText) {
  EXPECT_EQ(RunString("window 11008\nset 11011 \"\"\nclick 1\n", "old").text, "");
  const RunResult cancelled = RunString("window 11008\nset 11011 new\nclick 2\n", "old");
  EXPECT_EQ(cancelled.result, IDCANCEL);
  EXPECT_EQ(cancelled.text, "old");
}

TEST(StringInputTest, PlainEntryTakesABar) {
  EXPECT_EQ(RunString("window 11008\nset 11011 a|b\nclick 1\n", "").text, "a|b");
}

TEST(StringInputTest, EventValueEntryRefusesABarAndStaysOpen) {
  testing::ScriptRecord record;
  const RunResult run = RunString(R"(window 11008
set 11011 a|b
click 1
window message
expect-message The value cannot hold the characters "|", carriage return or line feed: they would break the stored event. Please remove them.
answer ok
window 11008
set 11011 a b
click 1
)",
                                  "", {}, true, &record);
  EXPECT_EQ(run.result, IDOK);
  EXPECT_EQ(run.text, "a b");
  ASSERT_GE(record.focusMoves.size(), 2u);
  const testing::FocusMove back = record.focusMoves[record.focusMoves.size() - 2];
  EXPECT_EQ(back.controlId, 11011);
  EXPECT_EQ(back.selectionStart, 0);
  EXPECT_EQ(back.selectionEnd, 3);
}

TEST(StringInputTest, EventValueEntryRefusesLineEndsItWasOpenedWith) {
  // A typed line cannot hold a line end; a text handed in can.
  for (const char* text : {"a\rb", "a\nb"}) {
    const RunResult run = RunString(R"(window 11008
click 1
window message
answer ok
window 11008
set 11011 ab
click 1
)",
                                    text, {}, true);
    EXPECT_EQ(run.text, "ab");
  }
}

}  // namespace
}  // namespace quorvel::ui
