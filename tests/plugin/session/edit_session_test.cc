#include "plugin/session/edit_session.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/backends/headless/headless_backend.h"
#include "framework/core/backend.h"
#include "framework/core/modal_window.h"
#include "framework/core/resource_scope.h"
#include "plugin/joints/host_text.h"
#include "plugin/session/attribute_plugin.h"
#include "plugin/templates/templates.h"
#include "tests/plugin/session/fake_host.h"
#include "tests/support/worked_example.h"

namespace quorvel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr const char* kFighter1 = quorvel::testing::kWorkedExampleFighter1;
constexpr const char* kCamSide = quorvel::testing::kWorkedExampleCamSide;

// The joints of the worked example: flag word and comment of each.
msModel WorkedExample() {
  msModel model;
  model.joints = quorvel::testing::WorkedExampleJoints<FakeJoint>();
  model.Prepare();
  return model;
}

// A backend that confirms or cancels every sheet and answers every message box as
// told, and keeps what it was asked.
class AnsweringBackend : public ui::Backend {
 public:
  AnsweringBackend(int sheetButton, int answer) : sheetButton_(sheetButton), answer_(answer) {}

  void RunModal(ui::ModalWindow& window) override {
    tabs = window.TabCaptions();
    window.UserClickButton(sheetButton_);
  }
  int ShowMessageBox(const ui::MessageBoxRequest& request) override {
    boxes.push_back(request);
    return request.Buttons().size() == 1 ? ui::IDOK : answer_;
  }
  std::optional<std::string> ChooseFile(const ui::FileChooserRequest&) override {
    return std::nullopt;
  }

  std::vector<std::string> tabs;
  std::vector<ui::MessageBoxRequest> boxes;

 private:
  int sheetButton_;
  int answer_;
};

// Runs the plug-in as the host would, with `backend` playing the user.
void RunPlugIn(msModel& model, ui::Backend& backend) {
  ui::BackendScope installed(&backend);
  AttributePlugIn plugIn;
  EXPECT_EQ(plugIn.Run(&model), 0);
}

std::vector<std::string> CallsStartingWith(const msModel& model, std::string_view prefix) {
  std::vector<std::string> found;
  std::copy_if(model.calls.begin(), model.calls.end(), std::back_inserter(found),
               [&](const std::string& call) { return call.starts_with(prefix); });
  return found;
}

TEST(EditSessionTest, WorkedExampleListsAndPages) {
  msModel model = WorkedExample();
  EditSession session(&model);
  session.Walk();
  session.BuildSheet();

  const JointWalk& walk = session.Joints();
  ASSERT_EQ(session.Sheet()->GetPageCount(), 4);
  EXPECT_EQ(session.Sheet()->GetWindowText(), "Quorvel");
  EXPECT_FALSE(session.Sheet()->StackedTabs());
  EXPECT_EQ(session.Sheet()->GetPage(0), session.ModelPage());
  ASSERT_EQ(session.FollowerPages().size(), 1u);
  ASSERT_EQ(session.CameraPages().size(), 2u);
  EXPECT_EQ(session.Sheet()->GetPage(1), &session.FollowerPages()[0]);
  EXPECT_EQ(session.Sheet()->GetPage(2), &session.CameraPages()[0]);
  EXPECT_EQ(session.Sheet()->GetPage(3), &session.CameraPages()[1]);

  EXPECT_EQ(session.FollowerPages()[0].followerName, "Fighter1");
  EXPECT_EQ(session.FollowerPages()[0].sobGroupName, "Alpha");
  EXPECT_THAT(session.FollowerPages()[0].events, ElementsAre("A"));
  EXPECT_EQ(session.CameraPages()[0].GetTitle(), "Camera: CAM_Main");
  EXPECT_EQ(session.CameraPages()[1].centerOfInterest, "Fighter1");

  // Every page holds the session's lists themselves, not copies of their names.
  std::vector<ui::AttributePage*> pages{session.ModelPage(), &session.FollowerPages()[0],
                                        &session.CameraPages()[0], &session.CameraPages()[1]};
  for (ui::AttributePage* page : pages) {
    EXPECT_EQ(page->ShipNames(), NameList({"Fighter1"}));
    EXPECT_EQ(page->CameraNames(), NameList({"CAM_Main", "CAM_Side"}));
    EXPECT_EQ(page->OtherNames(), NameList({"Rock"}));
    EXPECT_TRUE(page->ShipNames().SharesStorageWith(walk.shipNames));
  }
  for (const ui::CCMRAAttrib& page : session.CameraPages()) {
    EXPECT_EQ(page.ObjectNames(), NameList({"CAM_Main", "CAM_Side", "Fighter1", "Rock"}));
    EXPECT_TRUE(page.ObjectNames().SharesStorageWith(walk.objectNames));
  }
  // The skipped joints' flags are never asked for, whether marked or not.
  EXPECT_THAT(CallsStartingWith(model, "GetFlags"),
              ElementsAre("GetFlags 1", "GetFlags 2", "GetFlags 3", "GetFlags 5"));
}

// Sheet button, answer to the question, and which comments change.
struct AnswerCase {
  const char* name;
  int sheetButton;
  int answer;
  bool modelCommentEmpty;
  std::vector<std::string> writes;
};

class EditSessionAnswerTest : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(EditSessionAnswerTest, WritesWhatTheRuleSays) {
  const AnswerCase& c = GetParam();
  msModel model = WorkedExample();
  model.comment = c.modelCommentEmpty ? "" : "OPT_FPS=30\r\nNum Events=0\r\n";
  AnsweringBackend backend(c.sheetButton, c.answer);
  RunPlugIn(model, backend);

  std::vector<std::string> writes = CallsStartingWith(model, "Set");
  EXPECT_EQ(writes, c.writes);
  const std::string record = "Center Of Interest=\r\nNum Events=0\r\n";
  const bool camMainWritten = std::count(writes.begin(), writes.end(), "SetComment 1") == 1;
  EXPECT_EQ(model.joints[1].comment, camMainWritten ? record : "");
  // A written comment holds the record's whole text and nothing else.
  EXPECT_EQ(model.joints[3].comment, kFighter1);
  EXPECT_EQ(model.joints[2].comment, kCamSide);
  EXPECT_EQ(model.joints[5].comment, "");
}

INSTANTIATE_TEST_SUITE_P(
    Answers, EditSessionAnswerTest,
    ::testing::Values(AnswerCase{"Yes",
                                 ui::IDOK,
                                 ui::IDYES,
                                 false,
                                 {"SetModelComment", "SetComment 3", "SetComment 1",
                                  "SetComment 2"}},
                      AnswerCase{"No", ui::IDOK, ui::IDNO, false, {"SetComment 1"}},
                      AnswerCase{"NoWithEmptyModelComment",
                                 ui::IDOK,
                                 ui::IDNO,
                                 true,
                                 {"SetModelComment", "SetComment 1"}},
                      AnswerCase{"CancelAtTheQuestion", ui::IDOK, ui::IDCANCEL, true, {}},
                      AnswerCase{"CancelAtTheSheet", ui::IDCANCEL, ui::IDYES, true, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EditSessionTest, AsksTheQuestionAsAQuestionWithYesFirst) {
  msModel model = WorkedExample();
  AnsweringBackend backend(ui::IDOK, ui::IDYES);
  RunPlugIn(model, backend);
  EXPECT_THAT(backend.tabs, ElementsAre("NIS Attributes", "Actor: Fighter1", "Camera: CAM_Main",
                                        "Camera: CAM_Side"));
  ASSERT_EQ(backend.boxes.size(), 1u);
  const ui::MessageBoxRequest& box = backend.boxes[0];
  EXPECT_EQ(box.text, "Overwrite existing attributes?");
  EXPECT_EQ(box.caption, "Quorvel");
  EXPECT_EQ(box.owner, nullptr);
  EXPECT_EQ(box.Icon(), ui::MB_ICONQUESTION);
  EXPECT_THAT(box.Buttons(), ElementsAre(ui::IDYES, ui::IDNO, ui::IDCANCEL));
  EXPECT_EQ(box.DefaultButton(), ui::IDYES);
}

// The warning says that changes will not be saved, and the session keeps its word.
TEST(EditSessionTest, EmptyModelWarnsShowsTheModelPageAndWritesNothing) {
  msModel model;
  model.meshes = 0;
  model.Prepare();
  AnsweringBackend backend(ui::IDOK, ui::IDYES);
  RunPlugIn(model, backend);
  ASSERT_EQ(backend.boxes.size(), 1u);
  EXPECT_EQ(backend.boxes[0].text,
            "WARNING: No data found in model.\nAny Changes made will not be saved.");
  EXPECT_EQ(backend.boxes[0].caption, "Quorvel");
  EXPECT_EQ(backend.boxes[0].owner, nullptr);
  EXPECT_EQ(backend.boxes[0].Icon(), ui::MB_ICONWARNING);
  EXPECT_THAT(backend.boxes[0].Buttons(), ElementsAre(ui::IDOK));
  EXPECT_THAT(backend.tabs, ElementsAre("NIS Attributes"));
  EXPECT_THAT(CallsStartingWith(model, "Set"), IsEmpty());
  EXPECT_EQ(model.comment, "");
}

TEST(EditSessionTest, CountsAreAskedOnlyAsFarAsNeeded) {
  msModel model = WorkedExample();
  EditSession session(&model);
  session.WarnIfEmpty();
  EXPECT_THAT(model.calls, ElementsAre("GetMeshCount"));
  model.calls.clear();
  model.meshes = 0;
  model.materials = 1;
  session.WarnIfEmpty();  // joints are there: no warning, materials not asked
  EXPECT_THAT(model.calls, ElementsAre("GetMeshCount", "GetBoneCount"));
}

// A question that could not be shown (answer 0, here for want of a backend) writes
// nothing, not even the comments that are empty.
TEST(EditSessionTest, AQuestionThatFailsWritesNothing) {
  for (const bool modelCommentEmpty : {false, true}) {
    msModel model = WorkedExample();
    model.comment = modelCommentEmpty ? "" : "OPT_FPS=30\r\nNum Events=0\r\n";
    ui::ResourceScope resources(ui::PlugInTemplates());
    EditSession session(&model);
    session.Walk();
    session.BuildSheet();
    {
      AnsweringBackend backend(ui::IDOK, ui::IDYES);
      ui::BackendScope installed(&backend);
      ASSERT_TRUE(session.ShowSheet());
    }
    ASSERT_EQ(ui::CurrentBackend(), nullptr);
    model.calls.clear();
    session.WriteBack();
    EXPECT_TRUE(CallsStartingWith(model, "Set").empty());
  }
}

// Only the read just before writing decides whether a comment is empty.
TEST(EditSessionTest, TheLastReadDecidesWhetherACommentIsEmpty) {
  msModel model = WorkedExample();
  ui::ResourceScope resources(ui::PlugInTemplates());
  AnsweringBackend backend(ui::IDOK, ui::IDNO);
  ui::BackendScope installed(&backend);
  EditSession session(&model);
  session.Walk();
  session.BuildSheet();
  ASSERT_TRUE(session.ShowSheet());
  model.joints[3].comment.clear();       // Fighter1 emptied meanwhile: written
  model.joints[1].comment = "Kept\r\n";  // CAM_Main filled meanwhile: kept
  model.calls.clear();
  session.WriteBack();
  EXPECT_THAT(model.calls, ElementsAre("GetMeshCount", "GetModelComment 1024", "SetModelComment",
                                       "GetComment 3 1024", "SetComment 3", "GetComment 1 1024",
                                       "GetComment 2 1024"));
  EXPECT_EQ(model.joints[3].comment, kFighter1);
  EXPECT_EQ(model.joints[1].comment, "Kept\r\n");
}

// The host takes comments as C strings: a record holding a NUL would lose what
// follows it. The run fails naming the page and the field, and writes nothing.
TEST(EditSessionTest, ARecordHoldingANulFailsTheRunAndWritesNothing) {
  using namespace std::string_literals;
  struct Case {
    std::function<void(EditSession&)> poison;
    std::string message;
  };
  const Case cases[] = {
      {[](EditSession& s) { s.FollowerPages()[0].sobGroupName = "A\0B"s; },
       "the page \"Actor: Fighter1\" holds a NUL character in \"Sob Name\""},
      {[](EditSession& s) { s.ModelPage()->events.push_back("20|cameraWide|CAM_Wide\0 2.5"s); },
       "the page \"NIS Attributes\" holds a NUL character in \"Event"},
      {[](EditSession& s) { s.CameraPages()[1].centerOfInterest = "\0"s; },
       "the page \"Camera: CAM_Side\" holds a NUL character in \"Center Of Interest\""},
  };
  for (const Case& c : cases) {
    msModel model = WorkedExample();
    ui::ResourceScope resources(ui::PlugInTemplates());
    AnsweringBackend backend(ui::IDOK, ui::IDYES);
    ui::BackendScope installed(&backend);
    EditSession session(&model);
    session.Walk();
    session.BuildSheet();
    ASSERT_TRUE(session.ShowSheet());
    c.poison(session);
    model.calls.clear();
    try {
      session.WriteBack();
      ADD_FAILURE() << "written: " << c.message;
    } catch (const std::runtime_error& error) {
      EXPECT_THAT(error.what(), ::testing::HasSubstr(c.message));
    }
    EXPECT_THAT(CallsStartingWith(model, "Set"), IsEmpty()) << c.message;
  }
}

// A record longer than the host's buffer is read whole, so its last events are
// neither lost on loading nor dropped by the next save.
TEST(EditSessionTest, CommentsLongerThanTheBufferAreReadWhole) {
  std::string comment = "Sob Type=ship\r\nSob Name=Alpha\r\nNum Events=200\r\n";
  EventList events;
  for (int i = 0; i < 200; ++i) {
    events.push_back(std::to_string(i) + "|fadeSet|2.50");
    comment += "Event" + std::to_string(i) + "=" + events.back() + "\r\n";
  }
  ASSERT_GT(comment.size(), 4096u);
  msModel model;
  model.joints = {{"Fighter1", 1, comment}};
  model.comment = "OPT_FPS=30\r\n" + std::string(5000, '#') + "\r\n";
  model.Prepare();
  EditSession session(&model);
  session.Walk();
  session.BuildSheet();
  EXPECT_EQ(session.Joints().shipNames, NameList({"Fighter1"}));
  EXPECT_EQ(session.FollowerPages()[0].events, events);
  EXPECT_EQ(session.ModelPage()->frameRate, 30u);

  // The first read uses the host's own buffer, then twice the room while full.
  const std::vector<std::string> reads = CallsStartingWith(model, "GetComment 0");
  EXPECT_THAT(std::vector<std::string>(reads.begin(), reads.begin() + 4),
              ElementsAre("GetComment 0 1024", "GetComment 0 2048", "GetComment 0 4096",
                          "GetComment 0 8192"));
  std::string saved;
  session.FollowerPages()[0].SaveAttributes(saved);
  EXPECT_EQ(saved, comment);
}

// A host that fills the first buffer and then gives less into a larger one must not
// cut the comment to the shorter text.
TEST(EditSessionTest, TheLongestReadOfACommentIsKept) {
  const std::string comment = "Sob Type=ship\r\nSob Name=Alpha\r\n" + std::string(1500, '#');
  msModel model;
  model.joints = {{"Fighter1", 1, comment}};
  model.comment = "OPT_FPS=30\r\n" + std::string(1500, '#');
  model.writesNothingAbove = 1024;
  model.Prepare();
  HostTextReader reader;
  EXPECT_EQ(reader.JointComment(&model.bones[0]), comment.substr(0, 1023));
  EXPECT_EQ(reader.ModelComment(&model), model.comment.substr(0, 1023));
}

TEST(EditSessionTest, DuplicateAndSkippedMarkedJoints) {
  msModel model;
  model.joints = {{"Wing", 1, ""}, {"IG_Wing", 1, ""}, {"Wing", 1, ""}, {"CAM_Root", 1, ""}};
  model.Prepare();
  EditSession session(&model);
  session.Walk();
  session.BuildSheet();
  EXPECT_EQ(session.FollowerPages().size(), 2u);
  EXPECT_TRUE(session.CameraPages().empty());
  EXPECT_EQ(session.Sheet()->GetPageCount(), 3);
}

// A failing script leaves Run as an error, after everything was released and with
// nothing written; the framework is as it was before the run.
TEST(EditSessionTest, AFailedScriptTearsDownAndWritesNothing) {
  msModel model = WorkedExample();
  ui::HeadlessBackend backend(ui::ParseScript(R"(
window sheet
tab 2
click 11014
window 11005
expect-items 11006 ["not there"]
)"));
  ui::BackendScope installed(&backend);
  AttributePlugIn plugIn;
  EXPECT_THROW(plugIn.Run(&model), ui::ScriptFailure);
  EXPECT_THAT(CallsStartingWith(model, "Set"), IsEmpty());
  EXPECT_TRUE(ui::ModalWindow::ModalStack().empty());
  EXPECT_TRUE(ui::CurrentTemplates().empty());
}

}  // namespace
}  // namespace quorvel
