// The whole editor through real windows: the plug-in runs an editing session on a
// model file, every window nests as it does for a modeller, and what the session
// writes is read back from the model.
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <QTemporaryDir>

#include "examples/ms3d_writer.h"
#include "framework/core/backend.h"
#include "framework/core/modal_window.h"
#include "host/ms_model_lib.h"
#include "plugin/session/attribute_plugin.h"
#include "plugin/session/plugin_application.h"
#include "tests/framework/core/scripted_backend.h"

namespace quorvel {
namespace {

constexpr char kFighter1[] = "Sob Type=ship\r\nSob Name=Alpha\r\nNum Events=0\r\n";

class QtSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    examples::ModelFile file;
    file.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    file.triangles = {{{0, 1, 2}, 0}};
    file.groups = {{"Hull", {0}, -1, ""}};
    file.joints = {{"CAM_Main", "", 1, {0, 0, 0}, ""},
                   {"Fighter1", "", 1, {0, 0, 0}, kFighter1},
                   {"Rock", "", 0, {0, 0, 0}, ""}};
    path_ = folder_.path().toStdString() + "/model.ms3d";
    examples::SaveModelFile(file, path_);
    model_ = msHost_OpenModel(path_.c_str());
    ASSERT_NE(model_, nullptr) << msHost_LastError();
  }
  void TearDown() override { msHost_FreeModel(model_); }

  // Runs the plug-in with the script playing the user; the failure, or line 0.
  ui::ScriptFailure Run(const std::string& script) {
    ui::testing::ScriptedBackend scripted =
        ui::testing::MakeScriptedBackend(ui::ParseScript(script));
    ui::BackendScope installed(scripted.backend.get());
    try {
      EXPECT_EQ(plugIn_.Run(model_), 0);
      scripted.checkFinished();
    } catch (const ui::ScriptFailure& failure) {
      return failure;
    }
    return ui::ScriptFailure(0, "the whole script played");
  }

  std::string ModelComment() {
    std::vector<char> buffer(4096);
    msModel_GetComment(model_, buffer.data(), static_cast<int>(buffer.size()));
    return buffer.data();
  }
  std::string JointComment(int index) {
    std::vector<char> buffer(4096);
    msBone_GetComment(msModel_GetBoneAt(model_, index), buffer.data(),
                      static_cast<int>(buffer.size()));
    return buffer.data();
  }

  QTemporaryDir folder_;
  std::string path_;
  msModel* model_ = nullptr;
  PlugInApplication application_;
  AttributePlugIn plugIn_;
};

TEST_F(QtSessionTest, EditsThroughEveryNestedWindowAreWrittenAfterYes) {
  const ui::ScriptFailure outcome = Run(R"(window sheet
expect-tabs ["NIS Attributes","Actor: Fighter1","Camera: CAM_Main"]
set 11000 0
tab 1
window message
expect-message Please enter an integer between 1 and 1000.
answer ok
window sheet
expect-active 0
set 11000 25
tab 1
expect 11003 Fighter1
expect 11002 ship
set 11002 Destroyer
click 11014
window 11005
click 11009
window message
expect-message Please select an event first!
answer ok
window 11005
click 11007
window 11006
expect 11009 1
set 11009 12
expect 11010 attack
click 11008
window 11009
expect-items 11013 ["Fighter1"]
pick 11013 0
click 1
window 11006
expect 11008 "\"Fighter1\""
click 1
window 11005
expect-items 11006 ["12|attack|\"Fighter1\""]
dblclick 11006 0
window 11006
expect 11009 12
set 11009 5
pick 11010 6
expect 11010 hide
click 11008
expect 11008 ""
click 1
window 11005
expect-items 11006 ["5|hide|"]
click 1
window sheet
tab 2
expect-items 11006 ["","CAM_Main","Fighter1","Rock"]
pick 11006 2
click 1
window message
expect-title Quorvel
expect-message Overwrite existing attributes?
answer yes
)");
  EXPECT_EQ(outcome.Line(), 0) << outcome.what();
  EXPECT_EQ(ModelComment(), "OPT_FPS=25\r\nNum Events=0\r\n");
  EXPECT_EQ(JointComment(0), "Center Of Interest=Fighter1\r\nNum Events=0\r\n");
  EXPECT_EQ(JointComment(1),
            "Sob Type=Destroyer\r\nSob Name=Alpha\r\nNum Events=1\r\nEvent0=5|hide|\r\n");
  EXPECT_EQ(JointComment(2), "");
}

// A script that fails three windows deep closes every window and writes nothing.
TEST_F(QtSessionTest, AFailureDeepInsideClosesEverythingAndWritesNothing) {
  const ui::ScriptFailure outcome = Run(R"(window sheet
set 11000 48
click 11014
window 11005
click 11007
window 11006
pick 11010 6
click 11008
window 11007
expect 11011 wrong
)");
  EXPECT_EQ(outcome.Line(), 10) << outcome.what();
  EXPECT_TRUE(ui::ModalWindow::ModalStack().empty());
  EXPECT_EQ(msHost_CommentsChanged(model_), 0);
  EXPECT_EQ(JointComment(1), kFighter1);
}

}  // namespace
}  // namespace quorvel
