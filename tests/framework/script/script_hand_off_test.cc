#include "framework/script/script_hand_off.h"

#include <gtest/gtest.h>

namespace quorvel::ui {
namespace {

using Kind = RunOutcome::Kind;

TEST(ScriptHandOffTest, EveryOutcomeComesBackAsItWasWritten) {
  const RunOutcome outcomes[] = {
      {Kind::kPlayed, 0, ""},
      {Kind::kPlayed, 12, ""},
      {Kind::kCancelled, 0, ""},
      {Kind::kScriptFailed, 7, "expect 11000: expected \"25\", found \"30\""},
      {Kind::kScriptFailed, 0, "cannot read the script file \"x.ui\": No such file"},
      {Kind::kNoWindows, 0, "no display"},
      {Kind::kFailed, 0, "two lines\nof failure\n"},
  };
  for (const RunOutcome& outcome : outcomes) {
    const RunOutcome read = ReadRunOutcome(WriteRunOutcome(outcome));
    EXPECT_EQ(read.kind, outcome.kind) << outcome.message;
    EXPECT_EQ(read.line, outcome.line) << outcome.message;
    EXPECT_EQ(read.message, outcome.message);
  }
}

TEST(ScriptHandOffTest, WhatIsNoReportIsAFailureThatSaysSo) {
  for (const char* text : {"", "played", "played x", "played -3", "finished 0\n", "played 1 2"}) {
    const RunOutcome read = ReadRunOutcome(text);
    EXPECT_EQ(read.kind, Kind::kFailed) << text;
    EXPECT_NE(read.message.find("report of its run cannot be read"), std::string::npos) << text;
  }
}

TEST(ScriptHandOffTest, AScriptFailureLosesOnlyItsLinePrefix) {
  const struct {
    ScriptFailure failure;
    const char* message;
  } cases[] = {
      {ScriptFailure(7, "click 1: no such control"), "click 1: no such control"},
      {ScriptFailure(0, "cannot read the script file"), "cannot read the script file"},
  };
  for (const auto& test : cases) {
    const RunOutcome outcome = ScriptFailedOutcome(test.failure);
    EXPECT_EQ(outcome.kind, Kind::kScriptFailed);
    EXPECT_EQ(outcome.line, test.failure.Line());
    EXPECT_EQ(outcome.message, test.message);
    // Raised again from the outcome, the failure reads as it did.
    EXPECT_STREQ(ScriptFailure(outcome.line, outcome.message).what(), test.failure.what());
  }
}

}  // namespace
}  // namespace quorvel::ui
