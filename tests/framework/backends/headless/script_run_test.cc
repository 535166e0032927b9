// One script played over the stages of a run: the plug-in's windows, steps played
// elsewhere, and the program's own message box after it.
#include "framework/script/script_run.h"

#include <gtest/gtest.h>

#include <string>

#include "framework/backends/headless/headless_backend.h"
#include "framework/core/framework.h"
#include "tests/framework/core/test_dialogs.h"

namespace quorvel::ui {
namespace {

constexpr char kTwoStages[] =
    "click 2\n"
    "window message\n"
    "answer yes\n";

void RunNumbersDialog(ScriptRun& run) {
  HeadlessBackend backend(run.Player());
  ResourceScope resources(testing::TestTemplates());
  BackendScope scope(&backend);
  testing::NumbersDialog dialog;
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

int AskInAMessageBox(ScriptRun& run) {
  HeadlessBackend backend(run.Player());
  BackendScope scope(&backend);
  return MessageBox(nullptr, "Save elsewhere?", "Quorvel", MB_YESNO);
}

TEST(ScriptRun, PlaysItsStepsOverTheBackendsOfEachStage) {
  ScriptRun run("run.ui", ParseScript(kTwoStages));
  EXPECT_EQ(run.Path(), "run.ui");
  RunNumbersDialog(run);
  EXPECT_EQ(run.NextLine(), 2);
  EXPECT_TRUE(run.Awaits("message"));
  EXPECT_FALSE(run.Awaits("file"));
  EXPECT_NO_THROW(run.FinishUnlessAwaiting("message"));
  EXPECT_THROW(run.Finish(), ScriptFailure);
  EXPECT_EQ(AskInAMessageBox(run), IDYES);
  EXPECT_EQ(run.NextLine(), 0);
  EXPECT_NO_THROW(run.Finish());
}

struct LeftOverCase {
  const char* script;
  int passBefore;  // script line; 0: every step; -1: nothing passed over
  int nextLine;
  bool finishesUnlessAwaitingMessage;
};

TEST(ScriptRun, StepsLeftOverFailUnlessAWindowStillToOpenAwaitsThem) {
  const LeftOverCase cases[] = {
      {"click 2\n", -1, 1, false},
      {"click 2\n", 0, 0, true},
      {"click 2\nclick 1\n", 2, 2, false},
      {"click 2\nwindow message\nanswer yes\n", 2, 2, true},
      {"click 2\nwindow file\ncancel\n", 2, 2, false},
      {"", -1, 0, true},
  };
  for (const LeftOverCase& c : cases) {
    SCOPED_TRACE(c.script);
    ScriptRun run("run.ui", ParseScript(c.script));
    if (c.passBefore >= 0) {
      run.PassStepsBefore(c.passBefore);
    }
    EXPECT_EQ(run.NextLine(), c.nextLine);
    if (c.finishesUnlessAwaitingMessage) {
      EXPECT_NO_THROW(run.FinishUnlessAwaiting("message"));
    } else {
      EXPECT_THROW(run.FinishUnlessAwaiting("message"), ScriptFailure);
    }
  }
}

TEST(ScriptRun, AFileThatCannotBeReadIsAScriptFailure) {
  EXPECT_THROW(ScriptRun::Load("no/such/script.ui"), ScriptFailure);
}

}  // namespace
}  // namespace quorvel::ui
