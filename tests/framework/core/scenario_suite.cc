#include "tests/framework/core/scenario_suite.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "framework/core/framework.h"
#include "tests/framework/core/test_dialogs.h"

namespace quorvel::ui::testing {

std::optional<ScriptFailure> ScenarioTest::PlayScenario(std::string_view script,
                                                        const std::function<void()>& body) {
  ScriptedBackend scripted = GetParam().make(ParseScript(script));
  ResourceScope resources(TestTemplates());
  BackendScope scope(scripted.backend.get());
  try {
    body();
    scripted.checkFinished();
  } catch (const ScriptFailure& failure) {
    EXPECT_TRUE(ModalWindow::ModalStack().empty()) << "a failure must tear every window down";
    return failure;
  }
  EXPECT_TRUE(ModalWindow::ModalStack().empty());
  return std::nullopt;
}

void ScenarioTest::Play(std::string_view script, const std::function<void()>& body) {
  if (const std::optional<ScriptFailure> failure = PlayScenario(script, body))
    ADD_FAILURE() << failure->what();
}

ScriptFailure ScenarioTest::PlayFailing(std::string_view script,
                                        const std::function<void()>& body) {
  if (std::optional<ScriptFailure> failure = PlayScenario(script, body))
    return *failure;
  ADD_FAILURE() << "the script did not fail";
  return ScriptFailure(0, "no failure");
}

namespace {

// Unsigned fields, as the frame rate takes them.
struct UnsignedCase {
  const char* typed;
  const char* message;  // empty: accepted
  uint32_t value;       // when accepted
};

TEST_P(ScenarioTest, UnsignedFieldFollowsThePlatformRule) {
  const UnsignedCase cases[] = {
      {"  25 ", "", 25},
      {"0025", "", 25},
      {"\t7\t", "", 7},
      {"1000", "", 1000},
      {"1", "", 1},
      {"", "Please enter a positive integer.", 0},
      {"abc", "Please enter a positive integer.", 0},
      {"-5", "Please enter a positive integer.", 0},
      {"12 3", "Please enter a positive integer.", 0},
      {"0", "Please enter an integer between 1 and 1000.", 0},
      {"1001", "Please enter an integer between 1 and 1000.", 0},
      // Eleven digits saturate and then fail the range, not the conversion.
      {"12345678901", "Please enter an integer between 1 and 1000.", 0},
  };
  for (const UnsignedCase& c : cases) {
    SCOPED_TRACE(std::string("typed ") + QuoteScriptText(c.typed));
    NumbersDialog dialog;
    std::string script = "window 500\nset 501 " + QuoteScriptText(c.typed) + "\nclick 1\n";
    if (*c.message != '\0') {
      script += std::string("window message\nexpect-title Quorvel\nexpect-message ") + c.message +
                "\nanswer ok\nwindow 500\nclick 2\n";
    }
    int result = 0;
    Play(script, [&] { result = dialog.DoModal(); });
    if (*c.message == '\0') {
      EXPECT_EQ(result, IDOK);
      EXPECT_EQ(dialog.frameRate, c.value);
    } else {
      EXPECT_EQ(result, IDCANCEL);
      ASSERT_EQ(dialog.refusals.size(), 1u);
      // Back on the field, its whole text selected, ready to be typed over.
      EXPECT_EQ(dialog.refusals[0].focus, 501);
      EXPECT_EQ(dialog.refusals[0].selStart, 0);
      EXPECT_EQ(dialog.refusals[0].selEnd, static_cast<int>(dialog.refusals[0].fieldText.size()));
    }
  }
}

TEST_P(ScenarioTest, RefusedConversionKeepsTheFieldRangeFailureStoresTheNumber) {
  NumbersDialog converted;
  Play(R"(
window 500
set 501 abc
click 1
answer ok
click 2
)",
       [&] { converted.DoModal(); });
  EXPECT_EQ(converted.frameRate, 24u);

  NumbersDialog ranged;
  Play(R"(
set 501 5000
click 1
answer ok
click 2
)",
       [&] { ranged.DoModal(); });
  EXPECT_EQ(ranged.frameRate, 5000u);
}

TEST_P(ScenarioTest, FieldsAreShownWhenTheDialogOpens) {
  NumbersDialog dialog;
  dialog.frameRate = 0;  // shown as it is: the range applies only when taking back
  dialog.number = 1234567.0f;
  dialog.text = " two  blanks ";
  Play(R"(
window 500
expect-title Numbers
expect 501 0
expect 502 1234567
expect 503 " two  blanks "
expect 505 fixed
expect 506 Label
expect 1 OK
click 2
)",
       [&] { EXPECT_EQ(dialog.DoModal(), IDCANCEL); });
}

struct FloatCase {
  const char* typed;
  bool accepted;
  float value;
};

TEST_P(ScenarioTest, FloatFieldFollowsThePlatformRule) {
  const FloatCase cases[] = {
      {"2.75", true, 2.75f}, {" 1e3 ", true, 1000.0f}, {"-0.5", true, -0.5f},
      {".25", true, 0.25f},  {"", false, 0},           {"abc", false, 0},
      {"2.5x", false, 0},    {"0x10", false, 0},       {"1e39", false, 0},
  };
  for (const FloatCase& c : cases) {
    SCOPED_TRACE(std::string("typed ") + QuoteScriptText(c.typed));
    NumbersDialog dialog;
    std::string script = "set 502 " + QuoteScriptText(c.typed) + "\nclick 1\n";
    if (!c.accepted)
      script += "expect-message Please enter a number.\nanswer ok\nclick 2\n";
    Play(script, [&] { dialog.DoModal(); });
    if (c.accepted) {
      EXPECT_EQ(dialog.number, c.value);
    } else {
      EXPECT_EQ(dialog.number, 0.5f);
      ASSERT_EQ(dialog.refusals.size(), 1u);
      EXPECT_EQ(dialog.refusals[0].focus, 502);
    }
  }
}

TEST_P(ScenarioTest, CancelTakesNothingBack) {
  NumbersDialog dialog;
  Play(R"(
set 501 77
set 503 changed
click 2
)",
       [&] { EXPECT_EQ(dialog.DoModal(), IDCANCEL); });
  EXPECT_EQ(dialog.frameRate, 24u);
  EXPECT_EQ(dialog.text, "start");
}

TEST_P(ScenarioTest, TextIsTakenBackByteForByte) {
  NumbersDialog dialog;
  Play(R"(
set 503 "  a\tb  "
set 504 0123
click 1
)",
       [&] { EXPECT_EQ(dialog.DoModal(), IDOK); });
  EXPECT_EQ(dialog.text, "  a\tb  ");
}

// The show direction of an editable combo: the first item that begins with the
// text, without regard to case; otherwise the text itself.
struct ComboShowCase {
  const char* stored;
  const char* shown;
  int selected;
};

TEST_P(ScenarioTest, EditableComboShowsTheFirstItemBeginningWithTheText) {
  const ComboShowCase cases[] = {
      {"ship", "ship", 5},
      {"SHIP", "ship", 5},
      {"s", "ship", 5},
      {"cam", "camera", 1},
      {"camera", "camera", 1},
      {"effect", "Effect", 3},
      {"Destroyer", "Destroyer", -1},
      {"", "", -1},
  };
  for (const ComboShowCase& c : cases) {
    SCOPED_TRACE(std::string("stored ") + QuoteScriptText(c.stored));
    ListsDialog dialog;
    dialog.kind = c.stored;
    Play("expect 521 " + QuoteScriptText(c.shown) + "\nexpect-selected 521 " +
             std::to_string(c.selected) + "\nclick 1\n",
         [&] { EXPECT_EQ(dialog.DoModal(), IDOK); });
    // What the field shows is what comes back.
    EXPECT_EQ(dialog.kind, c.shown);
  }
}

TEST_P(ScenarioTest, EditableComboTakesBackTypedOrPickedText) {
  ListsDialog typed;
  Play(R"(
set 521 custom
expect-selected 521 -1
click 1
)",
       [&] { typed.DoModal(); });
  EXPECT_EQ(typed.kind, "custom");

  ListsDialog picked;
  Play(R"(
pick 521 3
expect 521 Effect
expect-selected 521 3
click 1
)",
       [&] { picked.DoModal(); });
  EXPECT_EQ(picked.kind, "Effect");
  EXPECT_EQ(picked.log, std::vector<std::string>{"selchange 521 3"});
}

// Select-by-text from code: after a given item, wrapping round to the first.
struct SelectCase {
  int after;
  const char* text;
  int found;
  const char* shown;
};

TEST_P(ScenarioTest, SelectStringSearchesAfterTheStartAndWrapsRound) {
  const SelectCase cases[] = {
      {0, "frigate2", 3, "Frigate2"},   // letters without regard to case
      {0, "Frigate1", 1, "Frigate10"},  // the first that begins with the text
      {0, "CAM", 4, "CAM_Main"},       {1, "Frigate1", 2, "Frigate1"},  // starts after item 1
      {3, "Frigate1", 1, "Frigate10"},                                  // wraps round past the end
      {0, "IG_Helper", CB_ERR, ""},
  };
  for (const SelectCase& c : cases) {
    SCOPED_TRACE(std::string("select ") + c.text + " after " + std::to_string(c.after));
    ListsDialog dialog;
    dialog.choices = {"", "Frigate10", "Frigate1", "Frigate2", "CAM_Main"};
    dialog.selectAfter = c.after;
    dialog.selectText = c.text;
    Play("expect 522 " + QuoteScriptText(c.shown) + "\nclick 2\n", [&] { dialog.DoModal(); });
    EXPECT_EQ(dialog.selectResult, c.found);
  }
}

TEST_P(ScenarioTest, DropDownListExchangesTheSelectedIndex) {
  ListsDialog dialog;
  dialog.choices = {"one", "two", "three"};
  dialog.choice = 1;
  Play(R"(
expect 522 two
expect-items 522 ["one","two","three"]
pick 522 2
expect 522 three
click 1
)",
       [&] { dialog.DoModal(); });
  EXPECT_EQ(dialog.choice, 2);
  EXPECT_EQ(dialog.log, std::vector<std::string>{"selchange 522 2"});
}

// List view notifications: the item deselected and the item selected each report a
// change; a double click reports after the click's changes.
struct ListCase {
  const char* steps;
  std::vector<std::string> log;
  int selected;
};

TEST_P(ScenarioTest, ListViewReportsSelectionChangesAndDoubleClicks) {
  const ListCase cases[] = {
      {"pick 523 1\n", {"changed 1"}, 1},
      {"pick 523 1\npick 523 2\n", {"changed 1", "changed 1", "changed 2"}, 2},
      {"pick 523 1\npick 523 1\n", {"changed 1"}, 1},
      {"pick 523 2\npick 523 -1\n", {"changed 2", "changed 2"}, -1},
      {"pick 523 -1\n", {}, -1},
      {"dblclick 523 0\n", {"changed 0", "dblclk 0"}, 0},
      {"pick 523 0\ndblclick 523 -1\n", {"changed 0", "changed 0", "dblclk -1"}, -1},
      {"dblclick 523 -1\n", {"dblclk -1"}, -1},
  };
  for (const ListCase& c : cases) {
    SCOPED_TRACE(c.steps);
    ListsDialog dialog;
    dialog.items = {"1|a|", "2|b|", "3|c|"};
    Play(std::string("expect-items 523 [\"1|a|\",\"2|b|\",\"3|c|\"]\n") + c.steps +
             "expect-selected 523 " + std::to_string(c.selected) + "\nclick 1\n",
         [&] { dialog.DoModal(); });
    EXPECT_EQ(dialog.log, c.log);
  }
}

TEST_P(ScenarioTest, RefillingAListViewClearsItsSelectionSilently) {
  ListsDialog dialog;
  dialog.items = {"a", "b"};
  Play(R"(
pick 523 1
click 524
expect-selected 523 -1
expect-items 523 ["a","b"]
click 1
)",
       [&] { dialog.DoModal(); });
  EXPECT_EQ(dialog.log, std::vector<std::string>{"changed 1"});
}

TEST_P(ScenarioTest, NestedDialogRunsOverItsOwnerAndReturnsToIt) {
  OuterDialog dialog;
  Play(R"(
window 540
click 541
window 550
expect-title Inner
expect 551 first
set 551 hello
click 1
window 540
expect 542 hello
click 541
click 2
expect 542 cancelled
click 1
)",
       [&] { EXPECT_EQ(dialog.DoModal(), IDOK); });
  EXPECT_EQ(dialog.outcome, "cancelled");
}

TEST_P(ScenarioTest, MessageBoxReturnsTheAnswerPressed) {
  for (const char* word : {"yes", "no", "cancel"}) {
    SCOPED_TRACE(word);
    OuterDialog dialog;
    Play(std::string("click 543\nwindow message\nexpect-title Quorvel\nexpect-message Proceed?\n") +
             "answer " + word + "\nwindow 540\nclick 2\n",
         [&] { dialog.DoModal(); });
    EXPECT_EQ(dialog.outcome, word);
  }
}

TEST_P(ScenarioTest, FileChooserReturnsTheChosenPath) {
  OuterDialog chosen;
  Play(R"(
click 544
window file
expect-title Open
expect-folder C:\Games\ZU2\data\sound\sfx\
choose /games/zu2/data/sound/sfx/explode/big.wav
expect 542 /games/zu2/data/sound/sfx/explode/big.wav
click 1
)",
       [&] { chosen.DoModal(); });
  // A full path of this system, so that a real file dialog takes it as typed.
  EXPECT_EQ(chosen.outcome, "/games/zu2/data/sound/sfx/explode/big.wav");

  OuterDialog cancelled;
  Play("click 544\nwindow file\ncancel\nexpect 542 none\nclick 1\n", [&] { cancelled.DoModal(); });
  EXPECT_EQ(cancelled.outcome, "none");
}

TEST_P(ScenarioTest, FileChooserRefusesAPathLongerThanTheBuffer) {
  OuterDialog dialog;
  // Each part within what a file system allows of one name, the whole beyond the buffer.
  const std::string longPath = "/" + std::string(150, 'x') + "/" + std::string(150, 'y') + ".wav";
  Play("click 544\nchoose " + longPath + "\nwindow message\nexpect-title Quorvel\nanswer ok\n" +
           "expect 542 none\nclick 1\n",
       [&] { dialog.DoModal(); });
  EXPECT_EQ(dialog.outcome, "none");
}

// A save request names a new file as it stands, and asks before replacing one that
// exists; No there shows the chooser again.
TEST_P(ScenarioTest, SaveChooserAsksBeforeReplacingAFile) {
  const std::filesystem::path folderPath =
      std::filesystem::temp_directory_path() /
      ("quorvel-save-" + std::to_string(std::random_device{}()));
  ASSERT_TRUE(std::filesystem::create_directory(folderPath));
  // In the system's own form, as its file chooser returns paths.
  const std::string folder = folderPath.string();
  const std::string existing = (folderPath / "old.ms3d").string();
  const std::string fresh = (folderPath / "new.ms3d").string();
  std::FILE* file = std::fopen(existing.c_str(), "w");
  ASSERT_NE(file, nullptr);
  std::fclose(file);
  const std::string question =
      "expect-message " +
      QuoteScriptText(existing + " already exists.\nDo you want to replace it?");

  struct Case {
    std::string steps;
    std::string chosen;  // empty: nothing chosen
  };
  const Case cases[] = {
      {"window file\nexpect-title Save As\nchoose " + fresh + "\n", fresh},
      {"window file\nchoose " + existing + "\nwindow message\nexpect-title Save As\n" + question +
           "\nanswer yes\n",
       existing},
      {"window file\nchoose " + existing + "\nwindow message\nanswer no\nwindow file\nchoose " +
           fresh + "\n",
       fresh},
      {"window file\nchoose " + existing + "\nwindow message\nanswer no\nwindow file\ncancel\n",
       ""},
      {"window file\ncancel\n", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.steps);
    char path[260] = "";
    OpenFileRequest request{};
    request.structSize = kOpenFileRequestSize;
    request.file = path;
    request.maxFile = sizeof path;
    request.initialDir = folder.c_str();
    request.flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    int result = -1;
    Play(c.steps, [&] { result = GetSaveFileName(request); });
    EXPECT_EQ(result, c.chosen.empty() ? 0 : 1);
    if (!c.chosen.empty()) {
      EXPECT_EQ(std::string(path), c.chosen);
    }
  }
  std::filesystem::remove_all(folderPath);
}

TEST_P(ScenarioTest, ButtonCaptionChanges) {
  OuterDialog dialog;
  Play("expect 545 Off\nclick 545\nexpect 545 On\nclick 1\n", [&] { dialog.DoModal(); });
}

// The sheet.

struct SheetFixture {
  FirstPage first;
  SecondPage second;
  CPropertySheet sheet{"Quorvel", nullptr, 0};
  SheetFixture() {
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    second.SetTitle("Actor: Fighter1");
    sheet.EnableStackedTabs(false);
  }
};

TEST_P(ScenarioTest, SheetShowsTabsAndCreatesPagesOnFirstActivation) {
  SheetFixture f;
  Play(R"(
window sheet
expect-title Quorvel
expect-tabs ["First","Actor: Fighter1"]
expect-active 0
expect 561 24
tab 1
expect-active 1
expect 571 None
expect-selected 571 4
click 1
)",
       [&] {
         EXPECT_EQ(f.first.initCount, 0);
         EXPECT_EQ(f.sheet.DoModal(), IDOK);
       });
  EXPECT_EQ(f.first.initCount, 1);
  EXPECT_EQ(f.second.initCount, 1);
  EXPECT_FALSE(f.first.HasWindow());  // page windows go with the sheet
}

TEST_P(ScenarioTest, SheetRefusesATabChangeWhileThePageRefusesItsData) {
  SheetFixture f;
  Play(R"(
set 561 0
tab 1
window message
expect-message Please enter an integer between 1 and 1000.
answer ok
window sheet
expect-active 0
set 561 0025
tab 1
expect-active 1
tab 0
expect 561 25
click 1
)",
       [&] { EXPECT_EQ(f.sheet.DoModal(), IDOK); });
  EXPECT_EQ(f.first.frameRate, 25u);
  EXPECT_EQ(f.second.initCount, 1);
}

TEST_P(ScenarioTest, SheetRefusesOkWhileTheActivePageRefusesItsData) {
  SheetFixture f;
  Play(R"(
set 561 x
click 1
expect-message Please enter a positive integer.
answer ok
window sheet
expect-active 0
click 2
)",
       [&] { EXPECT_EQ(f.sheet.DoModal(), IDCANCEL); });
  EXPECT_EQ(f.first.frameRate, 24u);
}

TEST_P(ScenarioTest, SheetOkTakesBackTheActivePageAndCancelNothing) {
  SheetFixture confirmed;
  Play(R"(
tab 1
set 571 custom
set 572 " Alpha "
click 1
)",
       [&] { EXPECT_EQ(confirmed.sheet.DoModal(), IDOK); });
  EXPECT_EQ(confirmed.second.kind, "custom");
  EXPECT_EQ(confirmed.second.name, " Alpha ");

  SheetFixture cancelled;
  Play("set 561 99\nclick 2\n", [&] { EXPECT_EQ(cancelled.sheet.DoModal(), IDCANCEL); });
  EXPECT_EQ(cancelled.first.frameRate, 24u);
  // A page never shown keeps what it was given.
  EXPECT_EQ(cancelled.second.kind, "None");
  EXPECT_EQ(cancelled.second.initCount, 0);
}

TEST_P(ScenarioTest, SheetReachesOnlyTheActivePagesControls) {
  SheetFixture f;
  const ScriptFailure failure = PlayFailing("expect 572 x\n", [&] { f.sheet.DoModal(); });
  EXPECT_EQ(failure.Line(), 1);
}

TEST_P(ScenarioTest, PageButtonOpensADialogOverTheSheet) {
  SheetFixture f;
  Play(R"(
click 562
window 550
click 2
window sheet
click 1
)",
       [&] { EXPECT_EQ(f.sheet.DoModal(), IDOK); });
}

TEST_P(ScenarioTest, FailedScriptLeavesEveryWindowClosed) {
  SheetFixture f;
  const ScriptFailure failure = PlayFailing(R"(
click 562
window 550
expect 551 wrong
)",
                                            [&] { f.sheet.DoModal(); });
  EXPECT_EQ(failure.Line(), 4);
  EXPECT_FALSE(f.first.HasWindow());
  EXPECT_FALSE(f.sheet.HasWindow());
}

}  // namespace
}  // namespace quorvel::ui::testing
