// `quorvel edit` run as a user runs it, with UI scripts playing the user, on model
// files written by the host library; every result is read back from the saved file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "examples/ms3d_writer.h"
#include "host/model_document.h"
#include "host/ms_model_lib.h"
#include "tests/support/ms3d_fixture.h"
#include "tests/support/quorvel_run.h"
#include "tests/support/worked_example.h"

namespace quorvel::app {
namespace {

using quorvel::testing::ReadWholeFile;
using quorvel::testing::TempFolder;
using quorvel::testing::WriteWholeFile;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr const char* kFighter1 = quorvel::testing::kWorkedExampleFighter1;
constexpr const char* kCamSide = quorvel::testing::kWorkedExampleCamSide;

struct Joint {
  std::string name;
  std::uint8_t flags;
  std::string comment;
};

class EditCommandTest : public ::testing::Test {
 protected:
  using Result = quorvel::testing::CommandResult;

  // A model file with one mesh (unless `empty`), whose comments are then written
  // through the host library and saved by it, as the modeller would have saved them.
  std::string Model(const std::vector<Joint>& joints, const std::string& modelComment = "",
                    bool empty = false) {
    examples::ModelFile file;
    if (!empty) {
      file.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
      file.triangles = {{{0, 1, 2}, 0}};
      file.groups = {{"Hull", {0}, -1, ""}};
    }
    for (const Joint& joint : joints) {
      file.joints.push_back({joint.name, "", joint.flags, {0, 0, 0}, ""});
    }
    const std::string path = folder_.File("model.ms3d");
    examples::SaveModelFile(file, path);

    msModel* model = msHost_OpenModel(path.c_str());
    EXPECT_NE(model, nullptr) << msHost_LastError();
    for (std::size_t i = 0; i < joints.size(); ++i) {
      msBone_SetComment(msModel_GetBoneAt(model, static_cast<int>(i)), joints[i].comment.c_str());
    }
    msModel_SetComment(model, modelComment.c_str());
    EXPECT_EQ(msHost_SaveModel(model), 0) << msHost_LastError();
    msHost_FreeModel(model);
    return path;
  }

  std::vector<Joint> WorkedExample() { return quorvel::testing::WorkedExampleJoints<Joint>(); }

  Result Edit(const std::string& model, const std::string& script, const std::string& options = "",
              const std::string& environment = "") {
    const std::string scriptPath = folder_.File("session.ui");
    WriteWholeFile(scriptPath, script);
    return Run("edit " + model + " --script " + scriptPath + " " + options, environment);
  }

  Result Run(const std::string& arguments, const std::string& environment = "") {
    return quorvel::testing::RunQuorvel(folder_, arguments, environment);
  }

  // The model as saved: model comment first, then each joint's comment.
  static std::vector<std::string> Comments(const std::string& path) {
    host::ModelDocument document = host::ModelDocument::Open(path);
    std::vector<std::string> comments{document.Model().comment};
    for (const host::Joint& joint : document.Model().joints) {
      comments.push_back(joint.comment);
    }
    return comments;
  }

  TempFolder folder_;
};

// The sheet of the worked example, with its selection as the file keeps it.
constexpr char kWorkedExampleSheet[] = R"(window sheet
expect-title Quorvel
expect-tabs ["NIS Attributes","Actor: Fighter1","Camera: CAM_Main","Camera: CAM_Side"]
tab 2
expect 11003 CAM_Main
expect-items 11006 ["","CAM_Main","CAM_Side","Fighter1","Rock"]
expect-selected 11006 -1
tab 3
expect 11006 Fighter1
)";

struct AnswerCase {
  const char* name;
  const char* ending;                 // the script after the sheet's pages were looked at
  const char* said;                   // after the file's name; "saved ..." when the file was saved
  std::vector<std::string> comments;  // model, then joints in order
};

class EditCommandAnswerTest : public EditCommandTest,
                              public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(EditCommandAnswerTest, WorkedExample) {
  const AnswerCase& c = GetParam();
  const std::string path = Model(WorkedExample());
  const std::string before = ReadWholeFile(path);
  const Result result = Edit(path, std::string(kWorkedExampleSheet) + c.ending, "--mark selected");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(Comments(path), c.comments);
  EXPECT_EQ(result.out, path + ": " + c.said + "\n");
  if (!std::string(c.said).starts_with("saved")) {
    EXPECT_EQ(ReadWholeFile(path), before);
  }
}

const std::string kModelRecord = "OPT_FPS=24\r\nNum Events=0\r\n";
const std::string kCamMainRecord = "Center Of Interest=\r\nNum Events=0\r\n";

INSTANTIATE_TEST_SUITE_P(
    Answers, EditCommandAnswerTest,
    ::testing::Values(
        AnswerCase{"Yes",
                   "click 1\nwindow message\nexpect-message Overwrite existing attributes?\n"
                   "answer yes\n",
                   "saved 2 records (NIS Attributes, Camera: CAM_Main)",
                   {kModelRecord, "", kCamMainRecord, kCamSide, kFighter1, "", ""}},
        AnswerCase{"No",
                   "click 1\nwindow message\nanswer no\n",
                   "saved 2 records (NIS Attributes, Camera: CAM_Main)",
                   {kModelRecord, "", kCamMainRecord, kCamSide, kFighter1, "", ""}},
        AnswerCase{"CancelAtTheQuestion",
                   "click 1\nwindow message\nanswer cancel\n",
                   "cancelled; nothing was saved",
                   {"", "", "", kCamSide, kFighter1, "", ""}},
        AnswerCase{"CancelAtTheSheet",
                   "click 2\n",
                   "cancelled; nothing was saved",
                   {"", "", "", kCamSide, kFighter1, "", ""}}),
    [](const auto& info) { return std::string(info.param.name); });

// Edits on the model page, a follower page and a camera page, then OK, up to the
// question that Yes (replace the comments) or No (keep them) answers.
constexpr char kEditsOnThreePages[] = R"(window sheet
set 11000 30
tab 1
set 11001 Beta
tab 3
pick 11006 4
click 1
window message
)";

// Yes replaces comments that No keeps: edit every page, then compare both answers.
TEST_F(EditCommandTest, YesOverwritesWhatNoKeeps) {
  const std::string edits = kEditsOnThreePages;
  const std::string path = Model(WorkedExample(), "OPT_FPS=12\r\nNum Events=0\r\n");
  ASSERT_EQ(Edit(path, edits + "answer no\n", "--mark selected").status, 0);
  EXPECT_EQ(Comments(path),
            (std::vector<std::string>{"OPT_FPS=12\r\nNum Events=0\r\n", "", kCamMainRecord,
                                      kCamSide, kFighter1, "", ""}));
  ASSERT_EQ(Edit(path, edits + "answer yes\n", "--mark selected").status, 0);
  const std::vector<std::string> saved = Comments(path);
  // The same answer again changes nothing, and says so.
  const Result again = Edit(path, edits + "answer yes\n", "--mark selected");
  ASSERT_EQ(again.status, 0) << again.err;
  EXPECT_EQ(again.out, path + ": no comment changed; the file is left as it was\n");
  EXPECT_EQ(Comments(path), saved);
  EXPECT_EQ(Comments(path),
            (std::vector<std::string>{
                "OPT_FPS=30\r\nNum Events=0\r\n", "", kCamMainRecord,
                "Center Of Interest=Rock\r\nNum Events=0\r\n",
                "Sob Type=ship\r\nSob Name=Beta\r\nNum Events=1\r\nEvent0=A\r\n", "", ""}));
}

// A comment whose first byte is NUL is not empty: No keeps it whole, Yes replaces it.
TEST_F(EditCommandTest, NoKeepsACommentThatBeginsWithNul) {
  const std::string hidden = std::string("\0", 1) + kFighter1;
  const std::string nulOnly(2, '\0');
  for (const char* answer : {"no", "yes"}) {
    SCOPED_TRACE(answer);
    const std::string path = Model({{"CAM_Main", 1, ""}, {"Fighter1", 1, ""}});
    {
      host::ModelDocument document = host::ModelDocument::Open(path);
      document.SetModelComment(nulOnly);
      document.SetJointComment(1, hidden);
      document.Save();
    }
    const Result result =
        Edit(path, std::string("window sheet\nclick 1\nwindow message\nanswer ") + answer + "\n");
    ASSERT_EQ(result.status, 0) << result.err;
    const bool yes = std::string(answer) == "yes";
    EXPECT_EQ(Comments(path),
              (std::vector<std::string>{yes ? "OPT_FPS=24\r\nNum Events=0\r\n" : nulOnly,
                                        kCamMainRecord, yes ? kFighter1 : hidden}));
  }
}

// Hostile files end with a message and a status, without waiting or a signal.
TEST_F(EditCommandTest, NoRegularFileAsModelOrScriptIsRefusedWithoutWaiting) {
  const std::string model = Model(WorkedExample());
  const std::string fifo = folder_.File("fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  WriteWholeFile(folder_.File("ok.ui"), "window sheet\nclick 2\n");
  const struct {
    std::string arguments;
    int status;
    std::string message;
  } cases[] = {
      {"edit " + fifo, 2, fifo + ": cannot read: it is not a regular file"},
      {"edit " + model + " --script " + fifo, 4, "it is not a regular file"},
      {"edit " + model + " --script /dev/zero", 4,
       "cannot read the script file \"/dev/zero\": it is not a regular file"},
      {"edit /dev/zero --script " + folder_.File("ok.ui"), 2,
       "/dev/zero: cannot read: it is not a regular file"},
  };
  for (const auto& c : cases) {
    const Result result = Run(c.arguments, "timeout 20");
    EXPECT_EQ(result.status, c.status) << c.arguments << "\n" << result.err;
    EXPECT_THAT(result.err, HasSubstr(c.message)) << c.arguments;
  }
}

TEST_F(EditCommandTest, MarkChoosesThePagesAndLeavesTheStoredFlags) {
  const std::string path = Model(WorkedExample());
  struct Case {
    const char* mark;
    const char* tabs;
  } cases[] = {
      {"",
       R"(["NIS Attributes","Actor: Fighter1","Actor: Rock","Camera: CAM_Main","Camera: CAM_Side"])"},
      {"--mark all",
       R"(["NIS Attributes","Actor: Fighter1","Actor: Rock","Camera: CAM_Main","Camera: CAM_Side"])"},
      {"--mark selected",
       R"(["NIS Attributes","Actor: Fighter1","Camera: CAM_Main","Camera: CAM_Side"])"},
      {"--mark Rock,CAM_Side", R"(["NIS Attributes","Actor: Rock","Camera: CAM_Side"])"},
      // Skipped joints get no page even when named.
      {"--mark names:CAM_Main,IG_Helper", R"(["NIS Attributes","Camera: CAM_Main"])"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mark);
    const Result result = Edit(path,
                               "window sheet\nexpect-tabs " + std::string(c.tabs) +
                                   "\nclick 1\nwindow message\nanswer yes\n",
                               c.mark);
    ASSERT_EQ(result.status, 0) << result.err;
    host::ModelDocument saved = host::ModelDocument::Open(path);
    std::vector<int> flags;
    for (const host::Joint& joint : saved.Model().joints) {
      flags.push_back(joint.flags);
    }
    EXPECT_THAT(flags, ElementsAre(0, 1, 1, 1, 1, 0));
  }
}

TEST_F(EditCommandTest, MarkNamingNoJointIsRefused) {
  const std::string path = Model(WorkedExample());
  const std::string before = ReadWholeFile(path);
  for (const char* mark : {"--mark Rock,Nobody", "--mark names:", "--mark Rock,,CAM_Main"}) {
    SCOPED_TRACE(mark);
    const Result result = Edit(path, "window sheet\nclick 2\n", mark);
    EXPECT_EQ(result.status, 1);
    EXPECT_THAT(result.err, HasSubstr("--mark"));
  }
  EXPECT_THAT(Edit(path, "", "--mark Rock,Nobody").err, HasSubstr("no joint named \"Nobody\""));
  // A name that differs only in case points to the joint's.
  const Result wrongCase = Edit(path, "", "--mark cam_main");
  EXPECT_EQ(wrongCase.status, 1);
  EXPECT_THAT(wrongCase.err, HasSubstr("no joint named \"cam_main\"; did you mean \"CAM_Main\"?"));
  EXPECT_EQ(ReadWholeFile(path), before);
}

// A named joint that the editor always leaves out is named on standard error, and
// the run goes on with the others.
TEST_F(EditCommandTest, MarkOfAJointThatNeverGetsAPageWarnsAndGoesOn) {
  const std::string path = Model(WorkedExample());
  const Result result = Edit(path,
                             "window sheet\nexpect-tabs [\"NIS Attributes\",\"Camera: "
                             "CAM_Main\"]\nclick 2\n",
                             "--mark IG_Helper,CAM_Main,ZU2_Root");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err,
            "quorvel edit: warning: --mark: \"IG_Helper\" never gets a page: joints whose names "
            "begin with \"IG_\" or contain \"Root\" are left out of the editor\n"
            "quorvel edit: warning: --mark: \"ZU2_Root\" never gets a page: joints whose names "
            "begin with \"IG_\" or contain \"Root\" are left out of the editor\n");
}

// Edit, save, run again: the pages show what was saved.
TEST_F(EditCommandTest, StoreAndReload) {
  const std::string path = Model(WorkedExample());
  const Result first = Edit(path, R"(window sheet
set 11000 48
click 11014
window 11005
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
tab 2
set 11002 custom
set 11001 "  Red Wing  "
tab 3
pick 11006 3
click 1
window message
answer yes
)");
  ASSERT_EQ(first.status, 0) << first.err;

  const std::string saved = ReadWholeFile(path);
  const Result second = Edit(path, R"(window sheet
expect 11000 48
click 11014
window 11005
expect-items 11006 ["30|fadeSet|2.50"]
click 2
tab 2
expect 11003 Rock
expect 11002 custom
expect 11001 "  Red Wing  "
tab 3
expect 11006 Fighter1
expect-selected 11006 3
click 2
)");
  ASSERT_EQ(second.status, 0) << second.err;
  EXPECT_EQ(ReadWholeFile(path), saved);
  const std::vector<std::string> comments = Comments(path);
  EXPECT_EQ(comments[0], "OPT_FPS=48\r\nNum Events=1\r\nEvent0=30|fadeSet|2.50\r\n");
  EXPECT_EQ(comments[2], "Center Of Interest=Fighter1\r\nNum Events=0\r\n");
  EXPECT_EQ(comments[6], "Sob Type=custom\r\nSob Name=  Red Wing  \r\nNum Events=0\r\n");
}

// The Event Editor applies each change at once, so its list comes back to the page
// also when it is closed with Cancel.
TEST_F(EditCommandTest, EventEditorChangesStayAfterItsCancel) {
  const std::string path = Model(WorkedExample());
  const Result result = Edit(path, R"(window sheet
tab 1
click 11014
window 11005
expect-items 11006 ["A"]
pick 11006 0
click 11009
expect-items 11006 []
click 2
window sheet
click 1
window message
answer yes
)",
                             "--mark selected");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(Comments(path)[4], "Sob Type=ship\r\nSob Name=Alpha\r\nNum Events=0\r\n");
}

// A record longer than the host's 1024-character buffer comes back whole, and a
// save keeps every event.
TEST_F(EditCommandTest, LongRecordsComeBackWhole) {
  std::string comment = "Sob Type=ship\r\nSob Name=Alpha\r\nNum Events=120\r\n";
  for (int i = 0; i < 120; ++i) {
    comment += "Event" + std::to_string(i) + "=" + std::to_string(i * 10) + "|hide|\r\n";
  }
  ASSERT_GT(comment.size(), 1023u);
  const std::string path = Model({{"Fighter1", 1, comment}});
  const Result result = Edit(path, R"(window sheet
tab 1
click 11014
window 11005
click 11007
window 11006
set 11009 2000
pick 11010 4
click 1
click 1
click 1
window message
answer yes
)");
  ASSERT_EQ(result.status, 0) << result.err;
  std::string expected = "Sob Type=ship\r\nSob Name=Alpha\r\nNum Events=121\r\n";
  for (int i = 0; i < 120; ++i) {
    expected += "Event" + std::to_string(i) + "=" + std::to_string(i * 10) + "|hide|\r\n";
  }
  expected += "Event120=2000|hyperspaceOut|\r\n";
  EXPECT_EQ(Comments(path)[1], expected);
}

// A script that fails midway, here three windows deep, saves nothing at all.
TEST_F(EditCommandTest, AFailedScriptSavesNothing) {
  const std::string path = Model(WorkedExample());
  const std::string before = ReadWholeFile(path);
  const Result result = Edit(path, R"(window sheet
set 11000 30
tab 1
set 11001 Changed
click 11014
window 11005
click 11007
window 11006
expect 11009 "not what it shows"
)");
  EXPECT_EQ(result.status, 4);
  EXPECT_THAT(result.err, HasSubstr("script line 9"));
  EXPECT_THAT(result.err, HasSubstr("nothing was saved"));
  EXPECT_EQ(ReadWholeFile(path), before);

  // Steps left over after the last window closed fail the script too.
  const Result leftOver = Edit(path, "window sheet\nclick 2\nclick 1\n");
  EXPECT_EQ(leftOver.status, 4);
  EXPECT_EQ(ReadWholeFile(path), before);
}

// Whether the script fails while it is read or while it plays, the user is told
// that nothing was saved.
TEST_F(EditCommandTest, EveryScriptFailureSaysNothingWasSaved) {
  const std::string path = Model(WorkedExample());
  const std::string before = ReadWholeFile(path);
  const struct {
    const char* script;
    const char* says;
  } cases[] = {
      {"window sheet\nfrobnicate 1\n", "script line 2: unknown step \"frobnicate\""},
      {"window sheet\nclick 1\nwindow message\nanswer maybe\n",
       "script line 4: an answer is ok, yes, no or cancel; found \"maybe\""},
      {"window sheet\nclick 1\nwindow message\nanswer ok\n", "script line 4: answer"},
      // A NUL would cut the comment short: refused however it is written.
      {"window sheet\ntab 1\nset 11001 \"A\\u0000B\"\nclick 1\nwindow message\nanswer yes\n",
       "script line 3: a text holds U+0000 (NUL)"},
      {"window sheet\ntab 1\nset 11001 A\x01"
       "B\nclick 1\nwindow message\nanswer yes\n",
       nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    std::string script = c.script;
    if (c.says == nullptr) {  // the same with a raw NUL byte in place of \x01
      script[script.find('\x01')] = '\0';
    }
    const Result result = Edit(path, script);
    EXPECT_EQ(result.status, 4);
    EXPECT_THAT(result.err,
                HasSubstr(c.says != nullptr ? c.says : "script line 3: a text holds U+0000 (NUL)"));
    EXPECT_THAT(result.err, ::testing::EndsWith("; nothing was saved\n"));
  }
  const Result missing = Run("edit " + path + " --script " + folder_.File("none.ui"));
  EXPECT_EQ(missing.status, 4);
  EXPECT_THAT(missing.err, ::testing::EndsWith("; nothing was saved\n"));
  EXPECT_EQ(ReadWholeFile(path), before);
}

// The warning says changes will not be saved; nothing is written, not even the empty
// model comment, and no question is asked.
TEST_F(EditCommandTest, EmptyModelIsShownButNeverSaved) {
  const std::string path = Model({}, "", /*empty=*/true);
  const std::string before = ReadWholeFile(path);
  const Result result = Edit(path, R"(window message
expect-message "WARNING: No data found in model.\nAny Changes made will not be saved."
answer ok
window sheet
expect-tabs ["NIS Attributes"]
set 11000 50
click 1
)");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, path + ": no comment changed; the file is left as it was\n");
  EXPECT_EQ(ReadWholeFile(path), before);
}

// A joint with no attributes yet keeps an empty type when its page is shown.
TEST_F(EditCommandTest, ShowingAJointWithoutAttributesGivesItNoType) {
  const std::string path = Model({{"Salvage1", 1, ""}, {"CAM_Main", 1, ""}});
  ASSERT_EQ(Edit(path, R"(window sheet
tab 1
expect 11002 ""
expect-selected 11002 -1
tab 2
expect 11006 ""
expect-selected 11006 -1
click 1
window message
answer yes
)")
                .status,
            0);
  EXPECT_THAT(
      Comments(path),
      ElementsAre(kModelRecord, "Sob Type=\r\nSob Name=\r\nNum Events=0\r\n", kCamMainRecord));
}

TEST_F(EditCommandTest, WithoutAScriptNeedsWindowsAndSaysSo) {
  const std::string path = Model(WorkedExample());
  const std::string before = ReadWholeFile(path);
  const Result result = Run("edit " + path, "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM");
  EXPECT_EQ(result.status, 5);
  EXPECT_THAT(result.err, HasSubstr("--script"));
  EXPECT_EQ(ReadWholeFile(path), before);
}

// Where Qt itself finds out that it can show nothing, or would show windows nobody
// sees, the command says so as it does without a display, instead of aborting.
TEST_F(EditCommandTest, WithoutAUsableDisplaySaysSoInsteadOfAborting) {
  const struct {
    const char* name;
    const char* environment;
  } cases[] = {
      {"X platform, no display", "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb"},
      {"X display that does not answer",
       "env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=localhost:0"},
      {"Wayland display without its plugin",
       "env -u DISPLAY -u QT_QPA_PLATFORM WAYLAND_DISPLAY=quorvel-test-none"},
      {"offscreen", "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen"},
      {"minimal", "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=minimal"},
  };
  const std::string path = Model(WorkedExample());
  const std::string before = ReadWholeFile(path);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Result result = Run("edit " + path, std::string("timeout 60 ") + c.environment);
    EXPECT_EQ(result.status, 5) << result.err;
    EXPECT_THAT(result.err, HasSubstr("cannot show the editor's windows"));
    EXPECT_THAT(result.err, HasSubstr("--script"));
    EXPECT_EQ(ReadWholeFile(path), before);
  }
}

// A model file that cannot be saved: how the command tells the user, and what each
// answer leaves on disk. The original file is byte-identical whatever happens.
class SaveFailureTest : public EditCommandTest {
 protected:
  enum class Cause { kReadOnlyFile, kReadOnlyFolder, kFullDisk };

  // The worked example in folder "models", made unsaveable by `cause`; "out" is a
  // folder where any user can write.
  void SetUpModel(Cause cause) {
    // The run may be made as an unprivileged user, who must reach the files.
    ASSERT_EQ(chmod(folder_.Path().c_str(), 0755), 0);
    models_ = folder_.File("models");
    out_ = folder_.File("out");
    std::filesystem::create_directory(models_);
    std::filesystem::create_directory(out_);
    path_ = models_ + "/model.ms3d";
    // A joint without a page keeps the file larger than a "full disk" run allows.
    std::vector<Joint> joints = WorkedExample();
    joints[0].comment = std::string(20000, '#');
    std::filesystem::rename(Model(joints), path_);
    before_ = ReadWholeFile(path_);
    ASSERT_EQ(chmod(out_.c_str(), 0777), 0);
    ASSERT_EQ(chmod(path_.c_str(), cause == Cause::kReadOnlyFile ? 0444 : 0666), 0);
    ASSERT_EQ(chmod(models_.c_str(), cause == Cause::kReadOnlyFolder ? 0555 : 0777), 0);
    // Permissions do not hold back the superuser: the command then runs as nobody.
    const quorvel::testing::UnprivilegedUser user = quorvel::testing::AnUnprivilegedUser();
    if (!user.skip.empty()) {
      GTEST_SKIP() << user.skip;
    }
    environment_ = user.prefix;
    if (geteuid() == 0) {
      // Nobody's own model: a save by nobody keeps its owner, so only the cause at
      // hand stands in its way.
      ASSERT_EQ(chown(path_.c_str(), 65534, 65534), 0);
    }
    if (cause == Cause::kFullDisk) {
      // Writes beyond a few KiB fail as they would on a full disk.
      environment_ = "trap '' XFSZ; ulimit -f 8; " + environment_;
    }
  }

  void TearDown() override {
    chmod(models_.c_str(), 0755);
    chmod(out_.c_str(), 0755);
  }

  Result EditUnsaveable(const std::string& script) {
    const std::string scriptPath = folder_.File("session.ui");
    WriteWholeFile(scriptPath, script);
    chmod(scriptPath.c_str(), 0644);
    // The installed copy: another user may not reach the build folder.
    return quorvel::testing::RunInstalledQuorvel(
        folder_, "edit " + path_ + " --script " + scriptPath + " --mark selected", environment_);
  }

  std::string models_;
  std::string out_;
  std::string path_;
  std::string before_;
  std::string environment_;
};

// The session: a change on the model page, OK, Yes.
constexpr char kEditAndConfirm[] = R"(window sheet
set 11000 30
click 1
window message
expect-message Overwrite existing attributes?
answer yes
)";

constexpr char kStartWarning[] = "window message\nexpect-title Quorvel\nanswer ok\n";
constexpr char kSaveFailed[] = "window message\nexpect-title Quorvel\n";

struct FailureCase {
  const char* name;
  int cause;
  bool warned;  // told before the sheet
};

class SaveFailureCauseTest : public SaveFailureTest,
                             public ::testing::WithParamInterface<FailureCase> {
 protected:
  void SetUp() override { SetUpModel(static_cast<Cause>(GetParam().cause)); }
  std::string Session() const {
    return (GetParam().warned ? std::string(kStartWarning) : std::string()) + kEditAndConfirm +
           kSaveFailed;
  }
};

TEST_P(SaveFailureCauseTest, NoOrCancelWritesNothingAndEndsWithStatus2) {
  for (const char* answer : {"answer no\n", "answer yes\nwindow file\ncancel\n"}) {
    SCOPED_TRACE(answer);
    const Result result = EditUnsaveable(Session() + answer);
    EXPECT_EQ(result.status, 2) << result.err;
    EXPECT_THAT(result.err, HasSubstr(path_));
    EXPECT_EQ(ReadWholeFile(path_), before_);
    EXPECT_TRUE(std::filesystem::is_empty(out_));
    // Beside the model, at most the copy of the edits that a refused save keeps, which
    // the message names.
    std::vector<std::filesystem::path> kept;
    for (const auto& entry : std::filesystem::directory_iterator(models_)) {
      if (entry.path() != path_) {
        kept.push_back(entry.path());
      }
    }
    for (const std::filesystem::path& file : kept) {
      EXPECT_THAT(file.filename().string(), HasSubstr(".unsaved"));
      EXPECT_THAT(result.err, HasSubstr("your changes are kept in " + file.string()));
      std::filesystem::remove(file);
    }
  }
}

TEST_P(SaveFailureCauseTest, TheEditedModelCanBeSavedElsewhere) {
  const std::string copy = out_ + "/copy.ms3d";
  std::string script =
      Session() + "answer yes\nwindow file\nexpect-folder " + models_ + "\nchoose " + copy + "\n";
  const bool copyFails = GetParam().cause == static_cast<int>(Cause::kFullDisk);
  if (copyFails) {
    // The other file cannot be written either: told again, and declined.
    script += std::string(kSaveFailed) + "answer no\n";
  }
  const Result result = EditUnsaveable(script);
  EXPECT_EQ(ReadWholeFile(path_), before_);
  if (copyFails) {
    EXPECT_EQ(result.status, 2) << result.err;
    EXPECT_TRUE(std::filesystem::is_empty(out_));
    return;
  }
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_THAT(result.out, HasSubstr("saved to " + copy));
  EXPECT_EQ(Comments(copy)[0], "OPT_FPS=30\r\nNum Events=0\r\n");
}

INSTANTIATE_TEST_SUITE_P(Causes, SaveFailureCauseTest,
                         ::testing::Values(FailureCase{"ReadOnlyFile", 0, true},
                                           FailureCase{"ReadOnlyFolder", 1, true},
                                           FailureCase{"FullDisk", 2, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// The start warning names the file and why; the editor still opens.
TEST_F(SaveFailureTest, TheStartWarningSaysWhichFileAndWhy) {
  SetUpModel(Cause::kReadOnlyFile);
  if (IsSkipped()) {
    return;
  }
  const Result result = EditUnsaveable(
      "window message\nexpect-title Quorvel\nexpect-message \"WARNING: " + path_ +
      " cannot be saved: the file cannot be written (Permission denied).\\nAny changes made "
      "cannot be saved to this file.\"\nanswer ok\nwindow sheet\nclick 2\n");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(ReadWholeFile(path_), before_);
}

// Choosing a file that exists asks before replacing it; No shows the chooser again.
TEST_F(SaveFailureTest, ReplacingAnotherFileIsAsked) {
  SetUpModel(Cause::kReadOnlyFile);
  if (IsSkipped()) {
    return;
  }
  const std::string other = out_ + "/other.ms3d";
  WriteWholeFile(other, "keep me");
  ASSERT_EQ(chmod(other.c_str(), 0666), 0);
  const std::string choose = std::string(kStartWarning) + kEditAndConfirm + kSaveFailed +
                             "answer yes\nwindow file\nchoose " + other +
                             "\nwindow message\nanswer ";
  Result result = EditUnsaveable(choose + "no\nwindow file\ncancel\n");
  EXPECT_EQ(result.status, 2) << result.err;
  EXPECT_EQ(ReadWholeFile(other), "keep me");

  result = EditUnsaveable(choose + "yes\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(Comments(other)[0], "OPT_FPS=30\r\nNum Events=0\r\n");
  EXPECT_EQ(ReadWholeFile(path_), before_);
}

// Steps left over after a save that worked fail the script, which says the model
// was saved; without a pending message box they save nothing, as before.
TEST_F(SaveFailureTest, StepsAwaitingAMessageAfterASaveThatWorked) {
  const std::string path = Model(WorkedExample());
  const Result result = Edit(path, std::string(kEditAndConfirm) + "window message\nanswer no\n");
  EXPECT_EQ(result.status, 4);
  EXPECT_THAT(result.err, HasSubstr("the model was saved to " + path));
  EXPECT_EQ(Comments(path)[0], "OPT_FPS=30\r\nNum Events=0\r\n");
}

// The last line names the records written and, after No, the pages whose edits
// were kept out. A page only looked at holds no edits, even when its comment reads
// back in another form.
TEST_F(EditCommandTest, TheLastLineSaysWhatWasWrittenAndWhatWasNot) {
  const std::string edits = kEditsOnThreePages;
  const std::string looked = "window sheet\ntab 1\ntab 3\nclick 1\nwindow message\n";
  const struct {
    const char* name;
    std::string script;
    std::string said;
  } steps[] = {
      {"looked at, No", looked + "answer no\n", "saved 1 record (Camera: CAM_Main)"},
      {"edited, No", edits + "answer no\n",
       "no comment changed; the file is left as it was; not written, as answered No: "
       "NIS Attributes, Actor: Fighter1, Camera: CAM_Side"},
      {"edited, Yes", edits + "answer yes\n",
       "saved 3 records (NIS Attributes, Actor: Fighter1, Camera: CAM_Side)"},
      {"the same, Yes", edits + "answer yes\n", "no comment changed; the file is left as it was"},
      {"frame rate only, No", "window sheet\nset 11000 25\nclick 1\nwindow message\nanswer no\n",
       "no comment changed; the file is left as it was; not written, as answered No: "
       "NIS Attributes"},
  };
  // The model comment lacks its event count: it reads back longer, unedited.
  const std::string path = Model(WorkedExample(), "OPT_FPS=12");
  for (const auto& step : steps) {
    SCOPED_TRACE(step.name);
    const Result result = Edit(path, step.script, "--mark selected");
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, path + ": " + step.said + "\n");
  }
}

TEST_F(EditCommandTest, JsonSaysTheSameFacts) {
  const std::string path = Model(WorkedExample(), "OPT_FPS=12\r\nNum Events=0\r\n");
  const Result result =
      Edit(path, "window sheet\nset 11000 30\nclick 1\nwindow message\nanswer no\n",
           "--mark selected --json");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");
  const nlohmann::json json = nlohmann::json::parse(result.out);
  EXPECT_EQ(json["model"], path);
  EXPECT_EQ(json["result"], "saved");
  EXPECT_EQ(json["savedTo"], path);
  EXPECT_EQ(json["written"], nlohmann::json({"Camera: CAM_Main"}));
  EXPECT_EQ(json["notWritten"], nlohmann::json({"NIS Attributes"}));
  // The check of the written file, as `quorvel check --json` reports it.
  const nlohmann::json check = nlohmann::json::parse(Run("check --json " + path).out);
  EXPECT_EQ(json["check"], check);

  const Result cancelled = Edit(path, "window sheet\nclick 2\n", "--json");
  ASSERT_EQ(cancelled.status, 0) << cancelled.err;
  const nlohmann::json nothing = nlohmann::json::parse(cancelled.out);
  EXPECT_EQ(nothing["result"], "cancelled");
  EXPECT_TRUE(nothing["savedTo"].is_null());
  EXPECT_TRUE(nothing["check"].is_null());
}

// After a save the written file is checked as `quorvel check` checks it: the counts,
// the first problems word for word, and where to find the rest.
TEST_F(EditCommandTest, WhatWasSavedIsChecked) {
  for (const int followers : {2, 8}) {
    SCOPED_TRACE(followers);
    std::vector<Joint> joints;
    for (int i = 0; i < followers; ++i) {
      joints.push_back({"Ship" + std::to_string(i), 1, ""});  // written without a sob type
    }
    const std::string path = Model(joints, "OPT_FPS=30\r\nNum Events=0\r\n");
    const Result result = Edit(path, "window sheet\nclick 1\nwindow message\nanswer no\n");
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_THAT(result.out, ::testing::StartsWith(path + ": saved " + std::to_string(followers) +
                                                  " records (Actor: Ship0, Actor: Ship1"));
    const std::string checked = Run("check " + path).out;
    std::istringstream lines(result.err);
    std::string line;
    ASSERT_TRUE(std::getline(lines, line));
    EXPECT_EQ(line, "quorvel edit: " + path + " as saved: 0 errors, " + std::to_string(followers) +
                        " warnings, 0 infos");
    int shown = 0;
    while (std::getline(lines, line) && line.starts_with(path + ": ")) {
      EXPECT_THAT(checked, HasSubstr(line + "\n"));
      ++shown;
    }
    EXPECT_EQ(shown, std::min(followers, 5));
    if (followers > 5) {
      EXPECT_EQ(line, "quorvel edit: " + std::to_string(followers - 5) +
                          " more problems; quorvel check " + path + " lists them all");
    }
  }
}

TEST_F(EditCommandTest, HelpNamesTheChoicesAndStatuses) {
  const Result help = Run("edit --help");
  EXPECT_EQ(help.status, 0);
  EXPECT_THAT(help.out, HasSubstr("--mark"));
  EXPECT_THAT(help.out, HasSubstr("selected"));
  EXPECT_THAT(help.out, HasSubstr("status 4"));
  EXPECT_THAT(Run("--help").out, HasSubstr("4 (edit)"));
  // Where the script format is told, and what the game's folder is for.
  EXPECT_THAT(help.out, HasSubstr("docs/ui-scripts.md"));
  EXPECT_THAT(help.out, HasSubstr("ZU2_Root  The game's folder"));
}

}  // namespace
}  // namespace quorvel::app
