#include "framework/backends/headless/headless_backend.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

#include "framework/core/framework.h"
#include "tests/framework/core/scenario_suite.h"
#include "tests/framework/core/test_dialogs.h"

namespace quorvel::ui {
namespace testing {
namespace {

ScriptedBackend MakeHeadless(const Script& script) {
  auto backend = std::make_unique<HeadlessBackend>(script);
  HeadlessBackend* raw = backend.get();
  return {std::move(backend), [raw] { raw->CheckFinished(); }};
}

INSTANTIATE_TEST_SUITE_P(Headless, ScenarioTest,
                         ::testing::Values(ScenarioBackend{"Headless", MakeHeadless}),
                         ScenarioBackendName);

}  // namespace
}  // namespace testing

namespace {

// What the test runs under the script.
enum class Run { kNumbers, kLists, kOuter, kSheet, kNothing };

void RunWindow(Run run) {
  switch (run) {
    case Run::kNumbers: {
      testing::NumbersDialog dialog;
      dialog.DoModal();
      return;
    }
    case Run::kLists: {
      testing::ListsDialog dialog;
      dialog.items = {"a", "b", "c"};
      dialog.DoModal();
      return;
    }
    case Run::kOuter: {
      testing::OuterDialog dialog;
      dialog.DoModal();
      return;
    }
    case Run::kSheet: {
      testing::FirstPage first;
      CPropertySheet sheet("Quorvel");
      sheet.AddPage(&first);
      sheet.DoModal();
      return;
    }
    case Run::kNothing:
      return;
  }
}

struct FailureCase {
  const char* script;
  Run run;
  const char* message;
};

TEST(HeadlessBackend, EveryFailureNamesItsLineAndWhatWasFound) {
  const FailureCase cases[] = {
      {"window 11005", Run::kNumbers,
       "script line 1: window 11005: the topmost window is 500 \"Numbers\""},
      {"\nexpect 501 2.50", Run::kNumbers,
       "script line 2: expect 501: expected \"2.50\", found \"24\""},
      {"click 999", Run::kNumbers,
       "script line 1: click 999: there is no control 999 in window 500 \"Numbers\""},
      {"expect 999 x", Run::kNumbers,
       "script line 1: expect 999: there is no control 999 in window 500 \"Numbers\""},
      {"set 504 12a", Run::kNumbers, "script line 1: set 504: edit 504 takes digits only, not 'a'"},
      {"set 505 x", Run::kNumbers, "script line 1: set 505: edit 505 is read-only"},
      {"set 522 x", Run::kLists, "script line 1: set 522: combo box 522 has no field to type into"},
      {"pick 523 3", Run::kLists,
       "script line 1: pick 523: list view 523 has no item 3 (it holds 3)"},
      {"dblclick 521 0", Run::kLists,
       "script line 1: dblclick 521: combo box 521 is not a list view"},
      {"expect 523 a", Run::kLists,
       "script line 1: expect 523: list view 523 shows items; use expect-items"},
      {"expect-items 523 [\"a\"]", Run::kLists,
       "script line 1: expect-items 523: expected [\"a\"], found [\"a\",\"b\",\"c\"]"},
      {"expect-items 1 []", Run::kLists,
       "script line 1: expect-items 1: control 1 is not a combo box or list view"},
      {"expect-selected 523 0", Run::kLists,
       "script line 1: expect-selected 523: expected item 0, found item -1"},
      {"tab 0", Run::kNumbers,
       "script line 1: tab 0: does not apply to a dialog; the topmost window is 500 \"Numbers\""},
      {"tab 3", Run::kSheet, "script line 1: tab 3: the sheet has no tab 3 (it has 1)"},
      {"expect-tabs [\"x\"]", Run::kSheet,
       "script line 1: expect-tabs: expected [\"x\"], found [\"First\"]"},
      {"expect-active 1", Run::kSheet,
       "script line 1: expect-active 1: expected page 1, found page 0"},
      {"expect-title Other", Run::kNumbers,
       "script line 1: expect-title: expected \"Other\", found \"Numbers\""},
      {"expect-message Hi", Run::kNumbers,
       "script line 1: expect-message: does not apply to this window, only to a message box; the "
       "topmost window is 500 \"Numbers\""},
      {"click 543\nanswer ok", Run::kOuter,
       "script line 2: answer: the message box offers only yes, no, cancel"},
      {"click 543\nexpect-message Go?", Run::kOuter,
       "script line 2: expect-message: expected \"Go?\", found \"Proceed?\""},
      {"click 543\nclick 1", Run::kOuter,
       "script line 2: click 1: does not apply to a message box; the topmost window is message "
       "\"Proceed?\""},
      {"click 544\nexpect-folder C:\\", Run::kOuter,
       "script line 2: expect-folder: expected \"C:\\\\\", found "
       "\"C:\\\\Games\\\\ZU2\\\\data\\\\sound\\\\sfx\\\\\""},
      {"click 544\nanswer yes", Run::kOuter,
       "script line 2: answer: does not apply to this window, only to a message box; the topmost "
       "window is file \"Open\""},
      {"choose x", Run::kNumbers,
       "script line 1: choose: does not apply to this window, only to the file chooser; the "
       "topmost window is 500 \"Numbers\""},
      {"set 501 7", Run::kNumbers,
       "script line 1: the script ends while window 500 \"Numbers\" is still open"},
      {"click 541\n\n# inner left open\n", Run::kOuter,
       "script line 3: the script ends while window 550 \"Inner\" is still open"},
      {"click 2\nclick 1", Run::kNumbers,
       "script line 2: click 1: the step is left over; the last window has closed"},
      {"window 500", Run::kNothing,
       "script line 1: window 500: the step is left over; the last window has closed"},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.script);
    HeadlessBackend backend(ParseScript(c.script));
    ResourceScope resources(testing::TestTemplates());
    BackendScope scope(&backend);
    try {
      RunWindow(c.run);
      backend.CheckFinished();
      ADD_FAILURE() << "the script did not fail";
    } catch (const ScriptFailure& failure) {
      EXPECT_STREQ(failure.what(), c.message);
    }
    EXPECT_TRUE(ModalWindow::ModalStack().empty());
  }
}

TEST(HeadlessBackend, ReportsWhetherEveryStepWasPlayed) {
  HeadlessBackend backend(ParseScript("click 2\n"));
  ResourceScope resources(testing::TestTemplates());
  BackendScope scope(&backend);
  EXPECT_FALSE(backend.IsFinished());
  testing::NumbersDialog dialog;
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_TRUE(backend.IsFinished());
  EXPECT_NO_THROW(backend.CheckFinished());
}

TEST(HeadlessBackend, MessageBoxWithoutAWindowIsPlayedToo) {
  HeadlessBackend backend(ParseScript(
      "window message\nexpect-title Quorvel\nexpect-message Overwrite existing attributes?\n"
      "answer cancel\n"));
  BackendScope scope(&backend);
  EXPECT_EQ(MessageBox(nullptr, "Overwrite existing attributes?", "Quorvel",
                       MB_YESNOCANCEL | MB_ICONQUESTION),
            IDCANCEL);
  EXPECT_NO_THROW(backend.CheckFinished());
}

}  // namespace
}  // namespace quorvel::ui
