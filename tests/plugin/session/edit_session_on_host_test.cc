// The session on the host library, which keeps the comments where the session can
// view them: a joint's page loads when the user first looks at it, and a page never
// looked at is written as it would have been loaded.
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "framework/backends/headless/headless_backend.h"
#include "framework/core/resource_scope.h"
#include "framework/script/script.h"
#include "host/ms_model_handle.h"
#include "host/ms_model_lib.h"
#include "plugin/attributes/camera_record.h"
#include "plugin/attributes/follower_record.h"
#include "plugin/session/edit_session.h"
#include "plugin/session/host_comment_views.h"
#include "plugin/templates/templates.h"
#include "tests/support/ms3d_fixture.h"

namespace quorvel {
namespace {

// Comments a page must carry over unchanged in meaning: odd orders, doubled and
// missing keys, a count that disagrees with the lines, a type the page's list would
// change once shown, bytes a careless copy would lose, and nothing at all.
const std::vector<std::string> kComments = {
    "Sob Type=ship\r\nSob Name=Alpha\r\nNum Events=2\r\nEvent0=0|fadeSet|1\r\n"
    "Event1=10|attack|\"Mothership\"\r\n",
    "Event1=late\r\nNum Events=3\r\nSob Name=B\r\nEvent0=early\r\nSob Name=second\r\n",
    "Sob Type=Ship\r\nNum Events=1\r\nEvent0=5|x|\x01\xe9\r\nEvent0=shadowed\r\n",
    "Sob Type=Destroyer\nSob Name=no CRs\nNum Events=4294967295\nEvent2=far\n",
    "Center Of Interest=Ship1\r\nNum Events=1\r\nEvent0=120|hyperspaceIn|\r\n",
    std::string("\0\0Sob Type=ship\r\n", 17),
    "",
};

class EditSessionOnHostTest : public ::testing::Test {
 protected:
  // One follower and one camera joint for each comment, all marked, in a model file
  // opened by the host library.
  void SetUp() override {
    testing::Ms3dFixture fixture = testing::SampleFixture();
    fixture.joints.clear();
    fixture.jointComments.clear();
    fixture.trailer.clear();  // its joint extra data is for the sample's joints
    for (std::size_t i = 0; i < kComments.size(); ++i) {
      const auto index = static_cast<std::int32_t>(fixture.joints.size());
      fixture.joints.push_back({"Ship" + std::to_string(i), 1});
      fixture.joints.push_back({"CAM_" + std::to_string(i), 1});
      if (!kComments[i].empty()) {
        fixture.jointComments.push_back({index, kComments[i]});
        fixture.jointComments.push_back({index + 1, kComments[i]});
      }
    }
    testing::WriteWholeFile(folder_.File("model.ms3d"), testing::WriteMs3d(fixture).bytes);
    model_ = msHost_OpenModel(folder_.File("model.ms3d").c_str());
    ASSERT_NE(model_, nullptr) << msHost_LastError();
  }
  void TearDown() override { msHost_FreeModel(model_); }

  std::string Comment(int joint) const {
    return std::string(host::HandedOutComment(msModel_GetBoneAt(model_, joint)));
  }

  testing::TempFolder folder_;
  msModel* model_ = nullptr;
  ui::ResourceScope resources_{ui::PlugInTemplates()};
};

TEST_F(EditSessionOnHostTest, TheHostLibraryOffersItsComments) {
  const HostCommentViews views = HostCommentViews::Find();
  ASSERT_TRUE(views);
  EXPECT_EQ(views.Of(msModel_GetBoneAt(model_, 0)), kComments[0]);
  // Cut where the host's buffers cut it: at the first NUL after leading ones.
  EXPECT_EQ(views.Of(msModel_GetBoneAt(model_, 10)), "Sob Type=ship\r\n");
}

TEST_F(EditSessionOnHostTest, PagesNeverLookedAtAreWrittenAsLoaded) {
  ui::HeadlessBackend backend(
      ui::ParseScript("window sheet\nclick 1\nwindow message\nanswer yes\n"));
  ui::BackendScope installed(&backend);
  EditSession session(model_);
  session.Walk();
  session.BuildSheet();
  ASSERT_EQ(session.FollowerPages().size(), kComments.size());
  for (const ui::CFOLWAttrib& page : session.FollowerPages()) {
    EXPECT_TRUE(page.LoadIsDeferred());
  }
  for (const ui::CCMRAAttrib& page : session.CameraPages()) {
    EXPECT_TRUE(page.LoadIsDeferred());
  }
  ASSERT_TRUE(session.ShowSheet());
  session.WriteBack();
  backend.CheckFinished();

  for (std::size_t i = 0; i < kComments.size(); ++i) {
    const std::string handedOut = i == 5 ? "Sob Type=ship\r\n" : kComments[i];
    FollowerRecord follower;
    follower.LoadAttributes(handedOut);
    std::string expected;
    follower.SaveAttributes(expected);
    EXPECT_EQ(Comment(static_cast<int>(2 * i)), expected) << "follower " << i;
    CameraRecord camera;
    camera.LoadAttributes(handedOut);
    camera.SaveAttributes(expected);
    EXPECT_EQ(Comment(static_cast<int>(2 * i + 1)), expected) << "camera " << i;
  }
}

TEST_F(EditSessionOnHostTest, APageLoadsWhenFirstShownAndKeepsItsEdits) {
  // Tab 3 is the third follower ("Sob Type=Ship"), tab 1 + 7 + 4 the fifth camera.
  ui::HeadlessBackend backend(
      ui::ParseScript("window sheet\ntab 3\nexpect 11002 ship\nset 11001 Gamma\ntab 12\n"
                      "expect 11006 Ship1\nclick 1\nwindow message\nanswer yes\n"));
  ui::BackendScope installed(&backend);
  EditSession session(model_);
  session.Walk();
  session.BuildSheet();
  ASSERT_TRUE(session.ShowSheet());
  for (std::size_t i = 0; i < kComments.size(); ++i) {
    EXPECT_EQ(session.FollowerPages()[i].LoadIsDeferred(), i != 2) << i;
    EXPECT_EQ(session.CameraPages()[i].LoadIsDeferred(), i != 4) << i;
  }
  EXPECT_EQ(session.FollowerPages()[2].sobGroupName, "Gamma");
  session.WriteBack();
  backend.CheckFinished();

  // Shown: the type as the list shows it, the edited name, the events as they were.
  EXPECT_EQ(Comment(4),
            "Sob Type=ship\r\nSob Name=Gamma\r\nNum Events=1\r\nEvent0=5|x|\x01\xe9\r\n");
  EXPECT_EQ(Comment(9), "Center Of Interest=Ship1\r\nNum Events=1\r\nEvent0=120|hyperspaceIn|\r\n");
}

}  // namespace
}  // namespace quorvel
