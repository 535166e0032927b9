// The Event Editor round trip of each page, against a stand-in editor that records
// what the page hands it.
#include "plugin/pages/attribute_page.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <string>

#include "framework/core/constants.h"
#include "plugin/pages/cmra_attrib.h"
#include "plugin/pages/folw_attrib.h"
#include "plugin/pages/nis_attrib.h"
#include "tests/plugin/pages/fake_event_editor.h"
#include "tests/plugin/pages/page_harness.h"

namespace quorvel::ui {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const NameList kShips{"Fighter1"};
const NameList kCameras{"CAM_Main", "CAM_Side"};
const NameList kOthers{"Rock"};

// One page kind: how to make it, and which event set it asks for.
struct PageKind {
  const char* name;
  std::function<std::unique_ptr<AttributePage>()> make;
  std::function<EventList&(AttributePage&)> events;
  bool modelLevel;
};

const PageKind kKinds[] = {
    {"NIS", [] { return std::make_unique<CNISAttrib>(); },
     [](AttributePage& p) -> EventList& { return static_cast<CNISAttrib&>(p).events; }, true},
    {"Followers", [] { return std::make_unique<CFOLWAttrib>(); },
     [](AttributePage& p) -> EventList& { return static_cast<CFOLWAttrib&>(p).events; }, false},
    {"Cameras",
     [] {
       auto page = std::make_unique<CCMRAAttrib>();
       page->SetObjectNames(NameList{"CAM_Main", "CAM_Side", "Fighter1", "Rock"});
       return page;
     },
     [](AttributePage& p) -> EventList& { return static_cast<CCMRAAttrib&>(p).events; }, false},
};

class AttributePageTest : public ::testing::TestWithParam<PageKind> {
 protected:
  void SetUp() override { EventEditorLog() = {}; }
  void TearDown() override { EventEditorLog() = {}; }

  EventEditorRunnerScope fakeEditor_{RunFakeEventEditor};

  // Opens the editor from button 11014 and closes it with `button` (1 OK, 2 Cancel).
  int OpenEditorAndClose(AttributePage& page, int button) {
    return RunPagesUnderScript({&page}, "window sheet\nclick 11014\nwindow 11005\nclick " +
                                            std::to_string(button) + "\nwindow sheet\nclick 1\n");
  }
};

TEST_P(AttributePageTest, HandsTheEditorItsListsEventSetAndEventsOverTheSheet) {
  std::unique_ptr<AttributePage> page = GetParam().make();
  page->SetNameLists(kShips, kCameras, kOthers);
  GetParam().events(*page) = {"30|fadeSet|2.50", "10|cut|CAM_Main"};
  ASSERT_EQ(OpenEditorAndClose(*page, IDOK), IDOK);

  ASSERT_EQ(EventEditorLog().runs.size(), 1u);
  const EventEditorRecord& run = EventEditorLog().runs[0];
  EXPECT_EQ(run.modelLevel, GetParam().modelLevel);
  // The object list stays with the camera page.
  EXPECT_EQ(run.shipNames, kShips);
  EXPECT_EQ(run.cameraNames, kCameras);
  EXPECT_EQ(run.otherNames, kOthers);
  EXPECT_THAT(run.eventsReceived, ElementsAre("30|fadeSet|2.50", "10|cut|CAM_Main"));
  EXPECT_EQ(run.owner, "sheet Quorvel");
  // Unchanged, in the same order: the page does not sort.
  EXPECT_THAT(GetParam().events(*page), ElementsAre("30|fadeSet|2.50", "10|cut|CAM_Main"));
}

TEST_P(AttributePageTest, TakesTheEditorsListBackAlsoAfterCancel) {
  std::unique_ptr<AttributePage> page = GetParam().make();
  GetParam().events(*page) = {"0|a|", "5|b|"};
  EventEditorLog().edit = [](EventList& events) { events.erase(events.begin()); };
  ASSERT_EQ(OpenEditorAndClose(*page, IDCANCEL), IDOK);
  EXPECT_EQ(EventEditorLog().runs.at(0).result, IDCANCEL);
  EXPECT_THAT(GetParam().events(*page), ElementsAre("5|b|"));
}

TEST_P(AttributePageTest, EmptyListsAndEventsGoToTheEditorEmpty) {
  std::unique_ptr<AttributePage> page = GetParam().make();
  page->SetNameLists({}, {}, {});
  EventEditorLog().edit = [](EventList& events) { events = {"1|x|", "2|y|"}; };
  ASSERT_EQ(OpenEditorAndClose(*page, IDOK), IDOK);
  const EventEditorRecord& run = EventEditorLog().runs.at(0);
  EXPECT_TRUE(run.shipNames.empty());
  EXPECT_TRUE(run.cameraNames.empty());
  EXPECT_TRUE(run.otherNames.empty());
  EXPECT_THAT(run.eventsReceived, IsEmpty());
  EXPECT_THAT(GetParam().events(*page), ElementsAre("1|x|", "2|y|"));
}

TEST_P(AttributePageTest, NameListsAreSharedWithTheSessionsLists) {
  std::unique_ptr<AttributePage> page = GetParam().make();
  page->SetNameLists(kShips, kCameras, kOthers);
  EXPECT_TRUE(page->ShipNames().SharesStorageWith(kShips));
  EXPECT_TRUE(page->CameraNames().SharesStorageWith(kCameras));
  EXPECT_TRUE(page->OtherNames().SharesStorageWith(kOthers));
  // Calling it again replaces the copies.
  page->SetNameLists(kOthers, kShips, kCameras);
  EXPECT_EQ(page->ShipNames(), kOthers);
  EXPECT_EQ(page->OtherNames(), kCameras);
}

// With no stand-in installed, the button runs the real Event Editor.
TEST(AttributePageSeamTest, WithNoRunnerInstalledTheRealEditorOpens) {
  CNISAttrib page;
  page.events = {"30|fadeSet|2.50", "10|cut|CAM_Main"};
  EXPECT_EQ(RunPagesUnderScript({&page}, R"(window sheet
click 11014
window 11005
expect-items 11006 ["30|fadeSet|2.50","10|cut|CAM_Main"]
click 2
window sheet
click 1
)"),
            IDOK);
  EXPECT_TRUE(EventEditorLog().runs.empty());
}

INSTANTIATE_TEST_SUITE_P(Pages, AttributePageTest, ::testing::ValuesIn(kKinds),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quorvel::ui
