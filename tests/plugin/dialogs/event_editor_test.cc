#include "plugin/dialogs/event_editor.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/script/script.h"
#include "tests/plugin/dialogs/event_name_lists.h"
#include "tests/plugin/dialogs/scripted_user.h"

namespace quorvel::ui {
namespace {

using testing::PlayScript;
using testing::ScriptRecord;

struct EditorRun {
  int result = 0;
  EventList events;
};

// Runs the editor as a page's "Event Editor" button does and takes its list back.
EditorRun RunEditor(std::string_view script, const EventList& events, bool modelLevel = false,
                    ScriptRecord* record = nullptr) {
  EditorRun out;
  out.events = {"left over from before"};  // GetEvents must replace the whole list
  EXPECT_TRUE(PlayScript(
      script,
      [&] {
        CEventEditor editor;
        editor.SetNameLists(kShips, kCameras, kOthers);
        editor.modelLevel = modelLevel;
        editor.SetEvents(events);
        out.result = editor.DoModal();
        editor.GetEvents(out.events);
      },
      record));
  return out;
}

const EventList kUnsorted{"10|hide|", "2|show|", "7|fire|"};
const EventList kSorted{"2|show|", "7|fire|", "10|hide|"};

TEST(EventEditorTest, ShowsThePagesEventsInTheirOrder) {
  const EditorRun run = RunEditor(R"(window 11005
expect-title Event Editor
expect -1 "Time\t| Event\t\t\t\t| Parameter"
expect-items 11006 ["10|hide|","2|show|","7|fire|"]
expect-selected 11006 -1
click 1
)",
                                  kUnsorted);
  EXPECT_EQ(run.result, IDOK);
  EXPECT_EQ(run.events, kUnsorted);
}

struct ChangeCase {
  const char* what;
  std::string steps;
  EventList result;
};

TEST(EventEditorTest, EveryChangeSortsTheList) {
  const ChangeCase cases[] = {
      {"add",
       R"(click 11007
window 11006
set 11009 5
pick 11010 6
click 1
)",
       {"2|show|", "5|hide|", "7|fire|", "10|hide|"}},
      {"edit", R"(pick 11006 1
click 11008
window 11006
expect 11009 2
expect-selected 11010 7
click 1
)",
       kSorted},
      {"remove", "pick 11006 2\nclick 11009\n", {"2|show|", "10|hide|"}},
      {"double click on empty space", "dblclick 11006 -1\n", kSorted},
      {"double click on an item",
       R"(dblclick 11006 0
window 11006
expect 11009 10
set 11009 1
click 1
)",
       {"1|hide|", "2|show|", "7|fire|"}},
  };
  for (const ChangeCase& c : cases) {
    SCOPED_TRACE(c.what);
    const EditorRun run =
        RunEditor("window 11005\n" + c.steps + "window 11005\nexpect-items 11006 " +
                      QuoteScriptList(c.result) + "\nclick 1\n",
                  kUnsorted);
    EXPECT_EQ(run.events, c.result);
  }
}

TEST(EventEditorTest, OrdersByWholeFrameThenByTheLengthOfTheRest) {
  const std::pair<EventList, EventList> cases[] = {
      // Numerically, not as text.
      {{"10|hide|", "2|hide|", "7|hide|"}, {"2|hide|", "7|hide|", "10|hide|"}},
      // 1.5 and 1.9 are both frame 1: the shorter rest comes first.
      {{R"(1.5|death|"x")", "1.9|hide|"}, {"1.9|hide|", R"(1.5|death|"x")"}},
      {{R"(5|death|"x")", "5|hide|"}, {"5|hide|", R"(5|death|"x")"}},
      // A frame that does not start with a digit is frame 0.
      {{"3|hide|", "-4|show|x", " 9|fire|"}, {" 9|fire|", "-4|show|x", "3|hide|"}},
      // Equal elements come out in the order the exchange sort gives them.
      {{"3|hide|", "3|show|", "1|fire|", "3|fire|"}, {"1|fire|", "3|show|", "3|hide|", "3|fire|"}},
      // Texts without a separator are kept; their frame is the whole text.
      {{"7|hide|", "garbage", "12"}, {"garbage", "7|hide|", "12"}},
  };
  for (const auto& [given, sorted] : cases) {
    const EditorRun run = RunEditor("window 11005\ndblclick 11006 -1\nexpect-items 11006 " +
                                        QuoteScriptList(sorted) + "\nclick 1\n",
                                    given);
    EXPECT_EQ(run.events, sorted);
  }
}

TEST(EventEditorTest, EditOrRemoveWithoutASelectionAsksForOne) {
  ScriptRecord record;
  const EditorRun run = RunEditor(R"(window 11005
click 11008
window message
expect-title Quorvel
expect-message Please select an event first!
answer ok
click 11009
window message
expect-message Please select an event first!
answer ok
window 11005
expect-items 11006 ["10|hide|","2|show|","7|fire|"]
click 1
)",
                                  kUnsorted, false, &record);
  EXPECT_EQ(run.events, kUnsorted);
  ASSERT_EQ(record.messages.size(), 2u);
  EXPECT_EQ(record.messages[0].flags, 0u);  // OK button, no icon
}

TEST(EventEditorTest, DeselectingKeepsTheIndex) {
  const EditorRun run = RunEditor(R"(window 11005
pick 11006 2
pick 11006 -1
expect-selected 11006 -1
click 11008
window 11006
expect 11009 10
set 11009 8
click 1
window 11005
click 1
)",
                                  kSorted);
  EXPECT_EQ(run.events, (EventList{"2|show|", "7|fire|", "8|hide|"}));
}

TEST(EventEditorTest, TheIndexOutlivesARefillAndNamesWhatNowStandsThere) {
  const EditorRun run = RunEditor(R"(window 11005
pick 11006 0
click 11009
expect-items 11006 ["2|show|","7|fire|"]
expect-selected 11006 0
click 11008
window 11006
expect 11009 2
click 2
click 1
)",
                                  kUnsorted);
  EXPECT_EQ(run.events, (EventList{"2|show|", "7|fire|"}));
}

// After every refill the list shows selected the element that the kept index names,
// so a second Remove takes what the user sees highlighted.
TEST(EventEditorTest, WhatIsHighlightedIsWhatRemoveRemoves) {
  const EditorRun run = RunEditor(R"(window 11005
pick 11006 1
click 11009
expect-items 11006 ["7|fire|","10|hide|"]
expect-selected 11006 1
click 11009
expect-items 11006 ["7|fire|"]
expect-selected 11006 -1
click 11008
window message
answer ok
window 11005
click 1
)",
                                  kUnsorted);
  EXPECT_EQ(run.events, (EventList{"7|fire|"}));
}

// An edit that moves its event shows selected what now stands at the index, which
// is what the next Edit opens.
TEST(EventEditorTest, AfterAnEditTheIndexIsShownWhereItStands) {
  const EditorRun run = RunEditor(R"(window 11005
pick 11006 0
click 11008
window 11006
set 11009 9
click 1
window 11005
expect-items 11006 ["7|fire|","9|show|","10|hide|"]
expect-selected 11006 0
click 11008
window 11006
expect 11009 7
click 2
click 1
)",
                                  kSorted);
  EXPECT_EQ(run.events, (EventList{"7|fire|", "9|show|", "10|hide|"}));
}

TEST(EventEditorTest, RemovesTheFirstOrTheLastElement) {
  const std::pair<int, EventList> cases[] = {
      {0, {"7|fire|", "10|hide|"}},
      {2, {"2|show|", "7|fire|"}},
  };
  for (const auto& [index, left] : cases) {
    const EditorRun run = RunEditor(
        "window 11005\npick 11006 " + std::to_string(index) + "\nclick 11009\nclick 1\n", kSorted);
    EXPECT_EQ(run.events, left);
  }
}

// The index left behind by a removal names no element: nothing is read or written.
TEST(EventEditorTest, AnIndexPastTheEndActsAsNoSelection) {
  const std::pair<EventList, EventList> cases[] = {
      {kSorted, {"2|show|", "7|fire|"}},  // the last of three removed
      {{"4|hide|"}, {}},                  // the list emptied
  };
  for (const auto& [given, left] : cases) {
    const std::string index = std::to_string(given.size() - 1);
    const EditorRun run = RunEditor("window 11005\npick 11006 " + index +
                                        "\nclick 11009\n"
                                        "click 11008\nwindow message\n"
                                        "expect-message Please select an event first!\n"
                                        "answer ok\n"
                                        "click 11009\nwindow message\nanswer ok\n"
                                        "dblclick 11006 -1\nwindow 11005\nexpect-items 11006 " +
                                        QuoteScriptList(left) + "\nclick 1\n",
                                    given);
    EXPECT_EQ(run.events, left);
  }
}

TEST(EventEditorTest, AddingToAnEmptyListGivesOneEvent) {
  const EditorRun run = RunEditor(R"(window 11005
click 11007
window 11006
click 1
window 11005
expect-items 11006 ["1|attack|"]
click 1
)",
                                  {});
  EXPECT_EQ(run.events, (EventList{"1|attack|"}));
}

TEST(EventEditorTest, AddsAModelLevelEventWithItsValue) {
  const EditorRun run = RunEditor(R"(window 11005
click 11007
window 11006
set 11009 30
pick 11010 6
click 11008
window 11007
set 11011 2.5
click 1
expect 11008 2.50
click 1
expect-items 11006 ["30|fadeSet|2.50"]
click 1
)",
                                  {}, true);
  EXPECT_EQ(run.events, (EventList{"30|fadeSet|2.50"}));
}

TEST(EventEditorTest, HandsItsNameListsToTheEventDialog) {
  const EditorRun run = RunEditor(R"(window 11005
click 11007
window 11006
click 11008
window 11009
expect-items 11013 ["CAM_Main","CAM_Far"]
pick 11013 0
click 1
click 1
click 1
)",
                                  {}, true);
  EXPECT_EQ(run.events, (EventList{R"(1|cameraCut|"CAM_Main")"}));
}

TEST(EventEditorTest, CancelInTheEditorKeepsItsChanges) {
  const EditorRun run = RunEditor(R"(window 11005
click 11007
window 11006
set 11009 5
click 1
window 11005
click 2
)",
                                  kUnsorted);
  EXPECT_EQ(run.result, IDCANCEL);
  EXPECT_EQ(run.events, (EventList{"2|show|", "5|attack|", "7|fire|", "10|hide|"}));
}

TEST(EventEditorTest, CancelInTheEventDialogChangesNothing) {
  const std::string steps[] = {
      // Edit: the element keeps its text and position, and nothing is sorted.
      "pick 11006 0\nclick 11008\nwindow 11006\nset 11009 99\npick 11010 3\nclick 2\n",
      "dblclick 11006 0\nwindow 11006\nset 11009 99\nclick 2\n",
      // Add.
      "click 11007\nwindow 11006\nset 11009 99\nclick 2\n",
      // Cancel at every level: value entry, event dialog, editor.
      "click 11007\nwindow 11006\npick 11010 14\nclick 11008\nwindow 11007\nset 11011 3\n"
      "click 2\nwindow 11006\nclick 2\n",
  };
  for (const std::string& step : steps) {
    const EditorRun run = RunEditor("window 11005\n" + step + "window 11005\nexpect-items 11006 " +
                                        QuoteScriptList(kUnsorted) + "\nclick 2\n",
                                    kUnsorted);
    EXPECT_EQ(run.result, IDCANCEL);
    EXPECT_EQ(run.events, kUnsorted);
  }
}

TEST(EventEditorTest, BuildsItsCatalogueOncePerRun) {
  for (const bool level : {true, false}) {
    CEventEditor editor;
    editor.modelLevel = level;
    const size_t rows = level ? 24 : 28;
    for (int run = 0; run < 2; ++run) {
      ASSERT_TRUE(PlayScript("window 11005\nclick 2\n", [&] { editor.DoModal(); }));
      EXPECT_EQ(editor.Catalogue().size(), rows);
    }
    EXPECT_EQ(editor.CopyCatalogue(), editor.Catalogue());
    EXPECT_EQ(editor.Catalogue().front().name, level ? "cameraCut" : "attack");
  }
}

TEST(EventEditorTest, StartsWithTheModelLevelSetAndNoSelection) {
  const CEventEditor editor;
  EXPECT_TRUE(editor.modelLevel);
  EXPECT_EQ(editor.SelectedIndex(), -1);
  EXPECT_TRUE(editor.Catalogue().empty());
}

}  // namespace
}  // namespace quorvel::ui
