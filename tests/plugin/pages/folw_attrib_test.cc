#include "plugin/pages/folw_attrib.h"

#include <gtest/gtest.h>
#include <string>

#include "framework/core/constants.h"
#include "framework/script/script.h"
#include "plugin/pages/nis_attrib.h"
#include "tests/plugin/pages/page_harness.h"

namespace quorvel::ui {
namespace {

constexpr char kEntries[] =
    R"(["asteroid","camera","camera_target","Effect","None","ship","resource","salvage"])";

// A stored Sob group type, what the combo shows for it, and what comes back.
struct TypeCase {
  const char* stored;
  const char* shown;
  int selected;
};

class FolwAttribTypeTest : public ::testing::TestWithParam<TypeCase> {};

TEST_P(FolwAttribTypeTest, MatchesByPrefixAndTakesBackTheField) {
  const TypeCase& c = GetParam();
  CFOLWAttrib page;
  page.LoadAttributes("Sob Type=" + std::string(c.stored) + "\r\n");
  const int result = RunPagesUnderScript(
      {&page}, "window sheet\nexpect-items 11002 " + std::string(kEntries) + "\nexpect 11002 " +
                   QuoteScriptText(c.shown) + "\nexpect-selected 11002 " +
                   std::to_string(c.selected) + "\nclick 1\n");
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(page.sobGroupType, c.shown);
}

INSTANTIATE_TEST_SUITE_P(Cases, FolwAttribTypeTest,
                         ::testing::Values(TypeCase{"None", "None", 4}, TypeCase{"ship", "ship", 5},
                                           TypeCase{"Ship", "ship", 5}, TypeCase{"SHIP", "ship", 5},
                                           // The first entry beginning with it, not "salvage".
                                           TypeCase{"s", "ship", 5},
                                           // "camera" before "camera_target".
                                           TypeCase{"cam", "camera", 1},
                                           TypeCase{"camera_t", "camera_target", 2},
                                           TypeCase{"Destroyer", "Destroyer", -1},
                                           // A joint with no attributes yet gets no type.
                                           TypeCase{"", "", -1}));

TEST(FolwAttribTest, TypingTheTypeStopsAtTheFieldsWidth) {
  CFOLWAttrib page;
  const std::string fits(20, 'x');
  EXPECT_EQ(RunPagesUnderScript({&page}, "window sheet\nset 11002 " + fits + "\nclick 1\n"), IDOK);
  EXPECT_EQ(page.sobGroupType, fits);
  try {
    RunPagesUnderScript({&page}, "window sheet\nset 11002 " + std::string(80, 'x') + "\n");
    FAIL() << "the field took 80 characters";
  } catch (const ScriptFailure& failure) {
    EXPECT_NE(std::string(failure.what()).find("the field takes no more than fits its width"),
              std::string::npos)
        << failure.what();
  }
}

TEST(FolwAttribTest, PageNeverShownKeepsWhatWasLoaded) {
  CNISAttrib model;
  CFOLWAttrib page;
  page.LoadAttributes("Sob Type=Ship\r\nSob Name=Alpha\r\n");
  page.SetCaption("Frigate1");
  EXPECT_EQ(RunPagesUnderScript({&model, &page}, R"(
window sheet
expect-tabs ["NIS Attributes","Actor: Frigate1"]
click 1
)"),
            IDOK);
  EXPECT_EQ(page.sobGroupType, "Ship");
  EXPECT_EQ(page.sobGroupName, "Alpha");
}

TEST(FolwAttribTest, CaptionAndNameField) {
  CNISAttrib model;
  CFOLWAttrib named;
  CFOLWAttrib unnamed;
  named.SetCaption("Frigate1");
  EXPECT_EQ(named.followerName, "Frigate1");
  EXPECT_EQ(RunPagesUnderScript({&model, &named, &unnamed}, R"(
window sheet
expect-tabs ["NIS Attributes","Actor: Frigate1","Followers"]
tab 1
expect 11003 Frigate1
tab 2
expect 11003 UNKNOWN
click 2
)"),
            IDCANCEL);
}

TEST(FolwAttribTest, TypedAndPickedTypesAndTheNameComeBackAsTheUserLeftThem) {
  CNISAttrib model;
  CFOLWAttrib typed;
  CFOLWAttrib picked;
  EXPECT_EQ(RunPagesUnderScript({&model, &typed, &picked}, R"(
window sheet
tab 1
set 11002 custom
set 11001 "  Alpha Wing  "
tab 2
pick 11002 3
expect 11002 Effect
click 1
)"),
            IDOK);
  EXPECT_EQ(typed.sobGroupType, "custom");
  EXPECT_EQ(typed.sobGroupName, "  Alpha Wing  ");
  EXPECT_EQ(picked.sobGroupType, "Effect");
}

TEST(FolwAttribTest, EachActivationMatchesTheTypeAfresh) {
  CNISAttrib model;
  CFOLWAttrib page;
  page.LoadAttributes("Sob Type=s\r\n");
  EXPECT_EQ(RunPagesUnderScript({&model, &page}, R"(
window sheet
tab 1
expect 11002 ship
set 11002 sal
tab 0
tab 1
expect 11002 salvage
expect-selected 11002 7
click 1
)"),
            IDOK);
  EXPECT_EQ(page.sobGroupType, "salvage");
}

}  // namespace
}  // namespace quorvel::ui
