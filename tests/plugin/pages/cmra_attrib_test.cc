#include "plugin/pages/cmra_attrib.h"

#include <gtest/gtest.h>
#include <string>

#include "framework/core/constants.h"
#include "framework/script/script.h"
#include "tests/plugin/pages/page_harness.h"

namespace quorvel::ui {
namespace {

// The joints offered, the stored center of interest, and what the combo shows.
struct InterestCase {
  const char* name;
  NameList objects;
  const char* stored;
  int selected;
  const char* shown;
};

class CmraAttribInterestTest : public ::testing::TestWithParam<InterestCase> {};

TEST_P(CmraAttribInterestTest, ShowsTheFirstMatchButKeepsTheStoredText) {
  const InterestCase& c = GetParam();
  CCMRAAttrib page;
  page.LoadAttributes("Center Of Interest=" + std::string(c.stored) + "\r\n");
  page.SetObjectNames(c.objects);
  std::vector<std::string> items{""};
  items.insert(items.end(), c.objects.begin(), c.objects.end());
  EXPECT_EQ(RunPagesUnderScript({&page}, "window sheet\nexpect-items 11006 " +
                                             QuoteScriptList(items) + "\nexpect-selected 11006 " +
                                             std::to_string(c.selected) + "\nexpect 11006 " +
                                             QuoteScriptText(c.shown) + "\nclick 1\n"),
            IDOK);
  EXPECT_EQ(page.centerOfInterest, c.stored);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CmraAttribInterestTest,
    ::testing::Values(
        InterestCase{"NoObjects", {}, "Frigate9", -1, ""},
        InterestCase{"OtherCase", {"CAM_Main", "Frigate1", "Frigate2"}, "frigate2", 3, "Frigate2"},
        InterestCase{"FirstPrefixMatch", {"Frigate10", "Frigate1"}, "Frigate1", 1, "Frigate10"},
        // For example a joint skipped by the walk, such as an "IG_" one.
        InterestCase{"NotAJointOffered", {"CAM_Main", "Frigate1"}, "IG_Target", -1, ""},
        // Nothing chosen yet: nothing is shown as if it had been.
        InterestCase{"Empty", {"CAM_Main", "Frigate1"}, "", -1, ""},
        InterestCase{"DuplicatesKept", {"Rock", "Rock"}, "Rock", 1, "Rock"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CmraAttribTest, PickingAnEntrySetsOrEmptiesTheCenterOfInterest) {
  const NameList objects{"CAM_Main", "Frigate1", "Frigate2"};
  CCMRAAttrib emptied;
  CCMRAAttrib chosen;
  CCMRAAttrib itself;
  for (CCMRAAttrib* page : {&emptied, &chosen, &itself}) {
    page->LoadAttributes("Center Of Interest=frigate2\r\n");
    page->SetObjectNames(objects);
  }
  itself.SetCaption("CAM_Main");
  EXPECT_EQ(RunPagesUnderScript({&emptied, &chosen, &itself}, R"(
window sheet
pick 11006 0
expect 11006 ""
tab 1
pick 11006 2
tab 2
pick 11006 1
click 1
)"),
            IDOK);
  EXPECT_EQ(emptied.centerOfInterest, "");
  EXPECT_EQ(chosen.centerOfInterest, "Frigate1");
  // A camera may look at itself: every eligible joint is offered.
  EXPECT_EQ(itself.centerOfInterest, "CAM_Main");
}

TEST(CmraAttribTest, CaptionNameFieldAndTheSelectionKeptAcrossActivations) {
  CCMRAAttrib first;
  CCMRAAttrib page;
  page.SetCaption("CAM_Main");
  page.SetObjectNames(NameList{"CAM_Main", "Frigate1"});
  EXPECT_EQ(page.cameraName, "CAM_Main");
  EXPECT_EQ(RunPagesUnderScript({&first, &page}, R"(
window sheet
expect-tabs ["Cameras","Camera: CAM_Main"]
tab 1
expect 11003 CAM_Main
pick 11006 2
tab 0
tab 1
expect-items 11006 ["","CAM_Main","Frigate1"]
expect-selected 11006 2
click 2
)"),
            IDCANCEL);
  // Picking changes the field at once, before any take-back.
  EXPECT_EQ(page.centerOfInterest, "Frigate1");
}

TEST(CmraAttribTest, ObjectNamesAreSharedNotCopied) {
  const NameList objects{"CAM_Main", "Frigate1"};
  CCMRAAttrib page;
  page.SetObjectNames(objects);
  EXPECT_TRUE(page.ObjectNames().SharesStorageWith(objects));
}

}  // namespace
}  // namespace quorvel::ui
