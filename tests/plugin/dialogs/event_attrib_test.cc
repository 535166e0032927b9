#include "plugin/dialogs/event_attrib.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/script/script.h"
#include "tests/plugin/dialogs/event_name_lists.h"
#include "tests/plugin/dialogs/scripted_user.h"

namespace quorvel::ui {
namespace {

using testing::PlayScript;
using testing::ScopedEnvironment;

struct AttribRun {
  int result = 0;
  std::string text;  // the event text after the run: composed on OK, else as it was
};

// Prepares the dialog as the Event Editor does (catalogue of one set, the three lists,
// modelLevel, the event text for Edit; none for Add), plays the script, and composes
// the event on OK.
AttribRun RunAttrib(std::string_view script, bool modelLevel, std::string source,
                    const std::function<void(CEventAttrib&)>& setup = {}) {
  AttribRun out;
  out.text = source;
  EXPECT_TRUE(PlayScript(script, [&] {
    CEventAttrib dialog;
    EventCatalogue catalogue;
    BuildCatalogue(catalogue, modelLevel);
    dialog.SetCatalogue(catalogue);
    dialog.SetNameLists(kShips, kCameras, kOthers);
    dialog.modelLevel = modelLevel;
    if (setup)
      setup(dialog);
    if (!source.empty())
      dialog.SplitEventText(source);
    out.result = dialog.DoModal();
    if (out.result == IDOK)
      dialog.ComposeEventText(out.text);
  }));
  return out;
}

constexpr bool kModel = true;
constexpr bool kJoint = false;

std::string CatalogueNames(bool modelLevel) {
  EventCatalogue catalogue;
  BuildCatalogue(catalogue, modelLevel);
  std::vector<std::string> names;
  for (const EventTypeEntry& entry : catalogue)
    names.push_back(entry.name);
  return QuoteScriptList(names);
}

TEST(EventAttribTest, AddStartsFromTheDefaults) {
  for (const bool level : {kModel, kJoint}) {
    const AttribRun run = RunAttrib(
        "window 11006\nexpect-title Event Attributes...\n"
        "expect 11009 1\nexpect-selected 11010 0\n"
        "expect-items 11010 " +
            CatalogueNames(level) + "\nexpect 11008 \"\"\nclick 1\n",
        level, "");
    EXPECT_EQ(run.result, IDOK);
    EXPECT_EQ(run.text, level ? "1|cameraCut|" : "1|attack|");
  }
}

struct ValueCase {
  const char* what;
  bool modelLevel;
  std::string source;  // empty: Add
  std::optional<std::string> gameRoot;
  std::string script;
  std::string result;
};

// Add and Edit for every kind of value, as the user enters them.
TEST(EventAttribTest, AddAndEditEachKindOfValue) {
  const ValueCase cases[] = {
      {"add raw parameters", kModel, "", std::nullopt, R"(window 11006
set 11009 12
pick 11010 1
click 11008
window 11008
expect 11012 Please enter all appropriate parameters:
expect 11011 ""
set 11011 CAM_Main 2 0.5
click 1
window 11006
expect 11008 CAM_Main 2 0.5
click 1
)",
       "12|cameraBlendIn|CAM_Main 2 0.5"},
      {"add no value", kJoint, "", std::nullopt, R"(window 11006
pick 11010 6
click 11008
window 11006
expect 11008 ""
click 1
)",
       "1|hide|"},
      {"add number", kModel, "", std::nullopt, R"(window 11006
set 11009 30
pick 11010 6
click 11008
window 11007
expect 11011 0
set 11011 2.5
click 1
expect 11008 2.50
click 1
)",
       "30|fadeSet|2.50"},
      {"add quoted text", kJoint, "", std::nullopt, R"(window 11006
pick 11010 1
click 11008
window 11008
expect 11012 Please enter desired string (no quotes):
expect 11011 ""
set 11011 big bang
click 1
window 11006
expect 11008 "\"big bang\""
click 1
)",
       R"(1|death|"big bang")"},
      {"add file path", kModel, "", R"(C:\Games\ZU2)", R"(window 11006
pick 11010 19
click 11008
window file
expect-title Open
expect-folder C:\Games\ZU2\data\sound\sfx\
choose C:\Games\ZU2\data\sound\sfx\explode\big.wav
window 11006
expect 11008 "\"explode\\big.wav\""
click 1
)",
       R"(1|soundEvent|"explode\big.wav")"},
      {"add file path, slashes", kModel, "", "/games/zu2", R"(window 11006
pick 11010 19
click 11008
window file
expect-folder /games/zu2/data/sound/sfx/
choose /games/zu2/data/sound/sfx/explode/big.wav
window 11006
expect 11008 "\"explode\\big.wav\""
click 1
)",
       R"(1|soundEvent|"explode\big.wav")"},
      {"add camera name", kModel, "", std::nullopt, R"(window 11006
click 11008
window 11009
expect-items 11013 ["CAM_Main","CAM_Far"]
expect-selected 11013 -1
pick 11013 1
click 1
window 11006
expect 11008 "\"CAM_Far\""
click 1
)",
       R"(1|cameraCut|"CAM_Far")"},
      {"add ship name", kJoint, "", std::nullopt, R"(window 11006
click 11008
window 11009
expect-items 11013 ["Fighter1","Fighter2"]
pick 11013 0
click 1
click 1
)",
       R"(1|attack|"Fighter1")"},
      {"edit raw parameters", kModel, "40|speechEvent|a 1 2", std::nullopt, R"(window 11006
expect 11009 40
expect-selected 11010 20
expect 11008 a 1 2
click 11008
window 11008
expect 11011 a 1 2
set 11011 b 3
click 1
window 11006
click 1
)",
       "40|speechEvent|b 3"},
      {"edit no value", kJoint, "3|hide|junk", std::nullopt, R"(window 11006
expect 11008 junk
click 11008
window 11006
expect 11008 ""
click 1
)",
       "3|hide|"},
      {"edit number", kJoint, "30|health|1", std::nullopt, R"(window 11006
expect 11008 1
click 11008
window 11007
expect 11011 1
set 11011 0.5
click 1
window 11006
expect 11008 .50
click 1
)",
       "30|health|.50"},
      {"edit quoted text", kJoint, R"(4|death|"boom")", std::nullopt, R"(window 11006
click 11008
window 11008
expect 11011 boom
set 11011 bang
click 1
window 11006
click 1
)",
       R"(4|death|"bang")"},
      {"edit file path", kModel, R"(7|musicStart|"old.mp3")", R"(C:\Games\ZU2\)", R"(window 11006
expect-selected 11010 8
click 11008
window file
expect-folder C:\Games\ZU2\data\sound\music\nis\
choose C:\Games\ZU2\data\sound\music\nis\theme.mp3
window 11006
click 1
)",
       R"(7|musicStart|"theme.mp3")"},
      {"edit file path, slashes", kModel, R"(7|musicStartAtEnd|"old.mp3")", "/games/zu2/",
       R"(window 11006
click 11008
window file
expect-folder /games/zu2/data/sound/music/
choose /games/zu2/data/sound/music/nis/end.mp3
window 11006
click 1
)",
       R"(7|musicStartAtEnd|"nis\end.mp3")"},
      {"edit ship name", kJoint, R"(45|attack|"Fighter1")", std::nullopt, R"(window 11006
click 11008
window 11009
expect-selected 11013 -1
pick 11013 1
click 1
window 11006
click 1
)",
       R"(45|attack|"Fighter2")"},
  };
  for (const ValueCase& c : cases) {
    SCOPED_TRACE(c.what);
    ScopedEnvironment root("ZU2_Root", c.gameRoot);
    const AttribRun run = RunAttrib(c.script, c.modelLevel, c.source);
    EXPECT_EQ(run.result, IDOK);
    EXPECT_EQ(run.text, c.result);
  }
}

// Opening a stored event and pressing OK writes it back unchanged, whatever its value.
TEST(EventAttribTest, OkWithoutValueKeepsTheStoredText) {
  const std::pair<bool, std::string> cases[] = {
      {kJoint, R"(5|death|"a"b")"},           {kJoint, "30|health|1"},
      {kJoint, R"(45|attack|"Ship 1")"},      {kJoint, "0|hide|"},
      {kModel, R"(12|soundEvent|"x\y.wav")"}, {kModel, "7|speechEvent|a b  c "},
      {kModel, R"(2|speechSetDir|")"},        {kModel, "9|nisOut|-3"},
  };
  for (const auto& [level, text] : cases) {
    const AttribRun run = RunAttrib("window 11006\nclick 1\n", level, text);
    EXPECT_EQ(run.text, text);
  }
}

struct CancelCase {
  bool modelLevel;
  std::string source;
  std::string entry;  // the steps that open the value entry and cancel it
};

TEST(EventAttribTest, CancelInAnyValueEntryKeepsValueAndCaption) {
  ScopedEnvironment root("ZU2_Root", R"(C:\Games\ZU2)");
  const CancelCase cases[] = {
      {kModel, "40|speechEvent|a 1 2", "window 11008\nset 11011 zzz\nclick 2\n"},
      {kJoint, "30|health|1", "window 11007\nset 11011 5\nclick 2\n"},
      {kJoint, R"(4|death|"boom")", "window 11008\nset 11011 zzz\nclick 2\n"},
      {kModel, R"(7|musicStart|"old.mp3")", "window file\ncancel\n"},
      {kJoint, R"(45|attack|"Fighter1")", "window 11009\npick 11013 1\nclick 2\n"},
  };
  for (const CancelCase& c : cases) {
    const std::string value = c.source.substr(c.source.rfind('|') + 1);
    const AttribRun run =
        RunAttrib("window 11006\nclick 11008\n" + c.entry + "window 11006\nexpect 11008 " +
                      QuoteScriptText(value) + "\nclick 1\n",
                  c.modelLevel, c.source);
    EXPECT_EQ(run.text, c.source);
  }
}

TEST(EventAttribTest, CancelInTheDialogReturnsCancel) {
  const AttribRun run = RunAttrib(R"(window 11006
set 11009 99
pick 11010 6
click 11008
click 2
)",
                                  kJoint, "30|health|1");
  EXPECT_EQ(run.result, IDCANCEL);
  EXPECT_EQ(run.text, "30|health|1");
}

TEST(EventAttribTest, AnotherEventTypeKeepsTheOldValue) {
  const AttribRun run =
      RunAttrib("window 11006\npick 11010 21\nexpect 11008 1\nclick 1\n", kJoint, "30|health|1");
  EXPECT_EQ(run.text, "30|setPlayer|1");
}

TEST(EventAttribTest, AFrameThatIsNotANumberIsRefusedOnOk) {
  const AttribRun run = RunAttrib(R"(window 11006
set 11009 ""
click 1
window message
expect-message Please enter a positive integer.
answer ok
window 11006
set 11009 8
click 1
)",
                                  kJoint, "");
  EXPECT_EQ(run.text, "8|attack|");
}

TEST(EventAttribTest, AnUnknownEventNameOpensOnTheFirstEntry) {
  const AttribRun run =
      RunAttrib("window 11006\nexpect-selected 11010 0\nclick 1\n", kJoint, "8|Hide|x");
  EXPECT_EQ(run.text, "8|attack|x");
}

TEST(EventAttribTest, TheNumberEntryStartsFromTheValueReadAsANumber) {
  const std::pair<std::string, std::string> cases[] = {
      {R"(9|health|"Ship1")", "0"},
      {"9|health|1e300", "3.4028235e+38"},  // beyond the float range: the largest float
      {"9|health|2.5xyz", "2.5"},
      {"9|health|0.1", "0.1"},
  };
  for (const auto& [source, shown] : cases) {
    const AttribRun run = RunAttrib(
        "window 11006\nclick 11008\nwindow 11007\nexpect 11011 " + shown + "\nclick 2\nclick 1\n",
        kJoint, source);
    EXPECT_EQ(run.text, source);
  }
}

// OK in the number entry without typing keeps the event's value, also where six
// significant digits would not.
TEST(EventAttribTest, AnUntouchedNumberEntryKeepsTheValue) {
  const std::pair<std::string, std::string> cases[] = {
      {"30|health|1234567", "1234567"},
      {"30|health|16777216", "16777216"},
      {"30|health|123456.7", "123456.7"},
      {"30|health|2.75", "2.75"},
  };
  for (const auto& [source, shown] : cases) {
    const AttribRun run = RunAttrib(
        "window 11006\nclick 11008\nwindow 11007\nexpect 11011 " + shown + "\nclick 1\nclick 1\n",
        kJoint, source);
    EXPECT_EQ(run.text.substr(0, source.size()), source);
  }
}

TEST(EventAttribTest, TheQuotedEntryStartsWithoutTheEnclosingQuotes) {
  const std::pair<std::string, std::string> cases[] = {
      {R"(4|death|"boom")", "boom"}, {"4|death|boom", "boom"},       {R"(4|death|")", R"(")"},
      {R"(4|death|"")", ""},         {R"(4|death|"a"b")", R"(a"b)"},
  };
  for (const auto& [source, shown] : cases) {
    const AttribRun run = RunAttrib("window 11006\nclick 11008\nwindow 11008\nexpect 11011 " +
                                        QuoteScriptText(shown) + "\nclick 1\nclick 1\n",
                                    kJoint, source);
    EXPECT_EQ(run.text, "4|death|\"" + shown + "\"");
  }
}

TEST(EventAttribTest, NoObjectChosenGivesTwoQuotes) {
  const AttribRun run =
      RunAttrib("window 11006\nclick 11008\nwindow 11009\nclick 1\nclick 1\n", kModel, "");
  EXPECT_EQ(run.text, R"(1|cameraCut|"")");
}

TEST(EventAttribTest, ObjectChoicesFollowTheHint) {
  const std::pair<std::string, std::string> cases[] = {
      {"", R"(["Fighter1","Fighter2","CAM_Main","CAM_Far","Rock"])"},
      {"ship", R"(["Fighter1","Fighter2"])"},
      {"camera", R"(["CAM_Main","CAM_Far"])"},
      {"Ship", "[]"},
      {"tank", "[]"},
  };
  for (const auto& [hint, items] : cases) {
    const AttribRun run =
        RunAttrib("window 11006\nclick 11008\nwindow 11009\nexpect-items 11013 " + items +
                      "\nclick 2\n" + "click 2\n",
                  kModel, "", [&hint](CEventAttrib& dialog) {
                    EventCatalogue catalogue;
                    AddEventType(catalogue, "lookAt", ValueKind::kObjectName, true, hint);
                    dialog.SetCatalogue(catalogue);
                  });
    EXPECT_EQ(run.result, IDCANCEL) << hint;
  }
}

TEST(EventAttribTest, NameListsAreAppended) {
  const AttribRun run =
      RunAttrib(R"(window 11006
click 11008
window 11009
expect-items 11013 ["Fighter1","Fighter2","Fighter1","Fighter2"]
pick 11013 3
click 1
click 1
)",
                kJoint, "", [](CEventAttrib& dialog) { dialog.SetNameLists(kShips, {}, {}); });
  EXPECT_EQ(run.text, R"(1|attack|"Fighter2")");
}

TEST(EventAttribTest, FilePathsOutsideTheGameFolderAreKeptWhole) {
  ScopedEnvironment root("ZU2_Root", R"(C:\Games\ZU2)");
  const std::pair<std::string, std::string> cases[] = {
      {R"(D:\Other\big.wav)", R"("D:\Other\big.wav")"},
      {R"(C:\Games\ZU2\DATA\SOUND\SFX\big.wav)", R"("C:\Games\ZU2\DATA\SOUND\SFX\big.wav")"},
      {"/home/me/big.wav", R"("/home/me/big.wav")"},
  };
  for (const auto& [path, value] : cases) {
    const AttribRun run = RunAttrib(
        "window 11006\npick 11010 19\nclick 11008\nwindow file\n"
        "choose " +
            path + "\nclick 1\n",
        kModel, "");
    EXPECT_EQ(run.text, "1|soundEvent|" + value);
  }
}

TEST(EventAttribTest, WithoutAGameFolderTheChooserStartsInItsDefault) {
  const std::optional<std::string> roots[] = {std::nullopt, "", std::string(300, 'r')};
  for (const auto& gameRoot : roots) {
    ScopedEnvironment root("ZU2_Root", gameRoot);
    const AttribRun run = RunAttrib(R"(window 11006
pick 11010 19
click 11008
window file
expect-folder ""
choose C:\Games\ZU2\data\sound\sfx\a.wav
click 1
)",
                                    kModel, "");
    EXPECT_EQ(run.text, R"(1|soundEvent|"a.wav")");
  }
}

TEST(EventAttribTest, ValuesThatWouldBreakTheLineAreRefused) {
  ScopedEnvironment root("ZU2_Root", "/games/zu2");
  struct Case {
    bool modelLevel;
    std::string source;
    std::string steps;
  };
  const Case cases[] = {
      {kModel, "7|speechEvent|a", R"(window 11008
set 11011 a|b
click 1
window message
answer ok
window 11008
click 2
)"},
      {kJoint, R"(4|death|"boom")", R"(window 11008
set 11011 x|y
click 1
window message
answer ok
window 11008
click 2
)"},
      {kModel, R"(7|soundEvent|"a.wav")", R"(window file
choose /games/zu2/data/sound/sfx/a|b.wav
window message
expect-message "The chosen file path holds \"|\", a carriage return or a line feed, which an event cannot store: a|b.wav\nThe value was left unchanged."
answer ok
)"},
      {kModel, R"(7|soundEvent|"a.wav")", R"(window file
choose "/games/zu2/data/sound/sfx/a\nb.wav"
window message
answer ok
)"},
      {kJoint, R"(45|attack|"Fighter1")", R"(window 11009
pick 11013 2
click 1
window message
answer ok
)"},
  };
  for (const Case& c : cases) {
    const AttribRun run = RunAttrib(
        "window 11006\nclick 11008\n" + c.steps + "window 11006\nclick 1\n", c.modelLevel, c.source,
        [](CEventAttrib& dialog) { dialog.SetNameLists(NameList{"Bad|Ship"}, {}, {}); });
    EXPECT_EQ(run.text, c.source);
  }
}

TEST(EventAttribTest, ANegativeNumberIsRefusedAndTheValueStays) {
  const AttribRun run = RunAttrib(R"(window 11006
click 11008
window 11007
set 11011 -1
click 1
window message
expect-message Please enter a number of 0 or more: stored numbers carry no sign.
answer ok
window 11007
click 2
window 11006
expect 11008 1
click 1
)",
                                  kJoint, "30|health|1");
  EXPECT_EQ(run.text, "30|health|1");
}

TEST(EventAttribTest, EachDialogOpensWithTheFocusOnOk) {
  testing::ScriptRecord record;
  ASSERT_TRUE(PlayScript(R"(window 11006
pick 11010 1
click 11008
window 11008
click 2
pick 11010 6
click 11008
window 11007
click 2
pick 11010 0
click 11008
window 11009
click 2
click 2
)",
                         [] {
                           CEventAttrib dialog;
                           EventCatalogue catalogue;
                           BuildCatalogue(catalogue, true);
                           dialog.SetCatalogue(catalogue);
                           dialog.DoModal();
                         },
                         &record));
  const std::vector<std::pair<int, int>> onOk{
      {11006, IDOK}, {11008, IDOK}, {11007, IDOK}, {11009, IDOK}};
  EXPECT_EQ(record.initialFocus, onOk);
}

}  // namespace
}  // namespace quorvel::ui
