// One run as the plug-in DLL makes it for its host: the handed script played on a
// model of the host library, the outcome reported, nothing thrown into the host.
#include "plugin/windows/host_run.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <filesystem>
#include <memory>

#include "framework/script/script_hand_off.h"
#include "host/ms_model_lib.h"
#include "plugin/session/attribute_plugin.h"
#include "tests/support/ms3d_fixture.h"

namespace quorvel {
namespace {

using quorvel::testing::ReadWholeFile;
using quorvel::testing::TempFolder;
using quorvel::testing::WriteWholeFile;
using ::testing::HasSubstr;
using Kind = ui::RunOutcome::Kind;

constexpr char kSetFrameRate[] =
    "window sheet\nset 11000 25\nclick 1\nwindow message\nanswer yes\n";

struct FreeModel {
  void operator()(msModel* model) const { msHost_FreeModel(model); }
};

class HostRunTest : public ::testing::Test {
 protected:
  void SetUp() override { FreshModel(); }

  // The example model, as a file of its own, opened by the host library.
  void FreshModel() {
    WriteWholeFile(folder_.File("fleet.ms3d"),
                   ReadWholeFile(QUORVEL_SOURCE_DIR "/examples/fleet.ms3d"));
    model_.reset(msHost_OpenModel(folder_.File("fleet.ms3d").c_str()));
    ASSERT_NE(model_, nullptr) << msHost_LastError();
  }

  std::string ModelComment() {
    char comment[1024] = "";
    msModel_GetComment(model_.get(), comment, sizeof comment);
    return comment;
  }

  // Runs with `script` (none when empty) from line `from`, reporting to a file;
  // returns Run's result and fills the outcome read from the report.
  int Run(const std::string& script, int from, ui::RunOutcome& outcome) {
    ScriptHandOff handOff;
    if (!script.empty()) {
      handOff.script = folder_.File("run.ui");
      WriteWholeFile(handOff.script, script);
    }
    handOff.from = from;
    handOff.report = folder_.File("report.txt");
    const int result = RunForHost(plugIn_, model_.get(), handOff,
                                  [this](const std::string& text) { told_.push_back(text); });
    outcome = ui::ReadRunOutcome(ReadWholeFile(handOff.report));
    return result;
  }

  TempFolder folder_;
  std::unique_ptr<msModel, FreeModel> model_;
  AttributePlugIn plugIn_;
  std::vector<std::string> told_;
};

TEST_F(HostRunTest, OutcomesOfRunsAreReportedAndNoneIsThrown) {
  const struct {
    const char* name;
    std::string script;
    int from;
    int result;
    Kind kind;
    int line;
    const char* message;
    bool edited;
  } cases[] = {
      {"played whole", kSetFrameRate, 0, 0, Kind::kPlayed, 0, "", true},
      {"steps left for the host", std::string(kSetFrameRate) + "window message\nanswer ok\n", 0, 0,
       Kind::kPlayed, 6, "", true},
      {"begun after the host's steps", "window message\nanswer ok\n" + std::string(kSetFrameRate),
       3, 0, Kind::kPlayed, 0, "", true},
      {"cancelled", "window sheet\nset 11000 25\nclick 2\n", 0, 0, Kind::kCancelled, 0, "", false},
      {"a failing step", "window sheet\nexpect 11000 99\n", 0, -1, Kind::kScriptFailed, 2,
       "expect 11000", false},
      {"steps for no window", "window message\nanswer ok\n", 0, -1, Kind::kScriptFailed, 1, "",
       false},
      {"no script", "", 0, -1, Kind::kNoWindows, 0, "UI script", false},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    FreshModel();
    ui::RunOutcome outcome;
    EXPECT_EQ(Run(test.script, test.from, outcome), test.result);
    EXPECT_EQ(outcome.kind, test.kind);
    EXPECT_EQ(outcome.line, test.line);
    EXPECT_THAT(outcome.message, HasSubstr(test.message));
    EXPECT_EQ(ModelComment().find("OPT_FPS=25\r\n") != std::string::npos, test.edited);
    EXPECT_TRUE(told_.empty());
  }
}

TEST_F(HostRunTest, AnUnreadableScriptIsAFailedScript) {
  ScriptHandOff handOff{folder_.File("missing.ui"), 0, folder_.File("report.txt")};
  EXPECT_EQ(RunForHost(plugIn_, model_.get(), handOff, [](const std::string&) {}), -1);
  const ui::RunOutcome outcome = ui::ReadRunOutcome(ReadWholeFile(handOff.report));
  EXPECT_EQ(outcome.kind, Kind::kScriptFailed);
  EXPECT_THAT(outcome.message, HasSubstr("missing.ui"));
}

TEST_F(HostRunTest, WithoutAReportAFailureIsToldToTheUser) {
  ScriptHandOff handOff{folder_.File("run.ui"), 0, ""};
  WriteWholeFile(handOff.script, "window sheet\nexpect 11000 99\n");
  EXPECT_EQ(RunForHost(plugIn_, model_.get(), handOff,
                       [this](const std::string& text) { told_.push_back(text); }),
            -1);
  ASSERT_EQ(told_.size(), 1u);
  EXPECT_THAT(told_[0], HasSubstr("The UI script failed: expect 11000"));
}

TEST_F(HostRunTest, ANullModelReturnsMinusOneAndReportsNothing) {
  ScriptHandOff handOff{folder_.File("run.ui"), 0, folder_.File("report.txt")};
  WriteWholeFile(handOff.script, kSetFrameRate);
  EXPECT_EQ(RunForHost(plugIn_, nullptr, handOff,
                       [this](const std::string& text) { told_.push_back(text); }),
            -1);
  EXPECT_FALSE(std::filesystem::exists(handOff.report));
  EXPECT_TRUE(told_.empty());
}

}  // namespace
}  // namespace quorvel
