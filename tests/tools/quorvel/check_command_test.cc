// `quorvel check` run as a user runs it: lines, JSON, options and exit statuses.
#include "tools/quorvel/check_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include "tools/quorvel/check_report.h"
#include "tests/support/ms3d_fixture.h"
#include "tests/support/quorvel_run.h"

namespace quorvel::app {
namespace {

using quorvel::testing::Ms3dFixture;
using quorvel::testing::RunQuorvel;
using quorvel::testing::SampleFixture;
using quorvel::testing::TempFolder;
using quorvel::testing::WriteMs3d;
using quorvel::testing::WriteWholeFile;
using ::testing::HasSubstr;
using ::testing::Not;

using Result = quorvel::testing::CommandResult;

class CheckCommandTest : public ::testing::Test {
 protected:
  Result Run(const std::string& arguments) {
    return RunQuorvel(folder_, "check " + arguments, "env -u ZU2_Root");
  }

  // A model whose joint 1 "CAM_Main" has an event the game does not know (an
  // error) and whose joint 2 "Fighter1" an event past the last frame (a warning).
  std::string BrokenModel(const std::string& name = "broken.ms3d") {
    Ms3dFixture fixture = SampleFixture();
    fixture.totalFrames = 100;
    fixture.joints = {{"ZU2_Root"}, {"CAM_Main", 1}, {"Fighter1", 1}};
    fixture.trailer.clear();  // the sample's joint extras are for its four joints
    fixture.modelComment = "OPT_FPS=30\r\nNum Events=0\r\n";
    fixture.jointComments = {
        {1, "Center Of Interest=Fighter1\r\nNum Events=1\r\nEvent0=5|explode|\r\n"},
        {2, "Sob Type=ship\r\nSob Name=A\r\nNum Events=1\r\nEvent0=150|hide|\r\n"}};
    const std::string path = folder_.File(name);
    WriteWholeFile(path, WriteMs3d(fixture).bytes);
    return path;
  }

  TempFolder folder_;
};

TEST_F(CheckCommandTest, ExampleChecksClean) {
  const Result result = Run(QUORVEL_SOURCE_DIR "/examples/fleet.ms3d");
  EXPECT_EQ(result.status, 0) << result.out << result.err;
  EXPECT_THAT(result.out, HasSubstr("1 file checked: 0 errors, 0 warnings"));
}

TEST_F(CheckCommandTest, LinesNameFilePlaceSeverityAndCode) {
  const std::string model = BrokenModel();
  const Result result = Run(model);
  EXPECT_EQ(result.status, kExitProblemsFound);
  EXPECT_THAT(result.out,
              HasSubstr(model + ": joint 1 \"CAM_Main\": Event0: error: \"explode\" is not one of "
                                "a joint's events"));
  EXPECT_THAT(result.out, HasSubstr("[EVENT_UNKNOWN]\n"));
  EXPECT_THAT(result.out,
              HasSubstr(model + ": joint 2 \"Fighter1\": Event0: warning: frame 150 lies past the "
                                "animation's last frame 100 [EVENT_PAST_END]\n"));
  EXPECT_THAT(result.out, HasSubstr("1 file checked: 1 error, 1 warning, 0 infos\n"));
}

TEST_F(CheckCommandTest, ExitStatusFollowsWhatCounts) {
  const std::string model = BrokenModel();
  struct Case {
    std::string arguments;
    int status;
  };
  const Case cases[] = {
      {model, kExitProblemsFound},
      {"--ignore EVENT_UNKNOWN " + model, 0},  // a warning alone passes
      {"--ignore EVENT_UNKNOWN --strict " + model, kExitProblemsFound},
      {"--ignore EVENT_UNKNOWN,EVENT_PAST_END --strict " + model, 0},
      {"--max-problems 0 " + model, kExitProblemsFound},  // unlisted problems still count
      {"--ignore NO_SUCH_CODE " + model, 1},
      {"", 1},
      {model + " " + folder_.File("missing.ms3d"), 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Run(c.arguments).status, c.status) << c.arguments;
  }
}

// The code table is named where a user finds it: in the source tree and installed.
TEST_F(CheckCommandTest, HelpAndMessagesNameBothPlacesOfTheCodeTable) {
  const std::string places = "docs/check.md (installed as share/doc/quorvel/check.md)";
  EXPECT_THAT(Run("--help").out, HasSubstr(places + " lists every code"));
  const Result unknown = Run("--ignore NO_SUCH_CODE " + BrokenModel());
  EXPECT_EQ(unknown.err, "quorvel check: --ignore: there is no problem code NO_SUCH_CODE; " +
                             places + " lists them\n");
}

TEST_F(CheckCommandTest, SeveralFilesEndWithOneSummary) {
  const Result result = Run(BrokenModel("a.ms3d") + " " + BrokenModel("b.ms3d") + " " +
                            folder_.File("missing.ms3d") + " --max-problems 3");
  EXPECT_EQ(result.status, 2);
  EXPECT_THAT(result.err, HasSubstr("missing.ms3d"));
  EXPECT_THAT(result.out, HasSubstr("b.ms3d: joint 1"));
  EXPECT_THAT(result.out, Not(HasSubstr("b.ms3d: joint 2")));
  EXPECT_THAT(result.out, HasSubstr("1 more problem not shown (--max-problems)\n"));
  EXPECT_THAT(result.out,
              HasSubstr("3 files checked (1 could not be read): 2 errors, 2 warnings, 0 infos\n"));
}

// --max-problems stops at the next joint once a problem beyond those listed is found
// and the exit status is settled; the counts are then lower bounds.
TEST_F(CheckCommandTest, MaxProblemsStopsOnceItKnowsEnough) {
  Ms3dFixture fixture = SampleFixture();
  fixture.totalFrames = 100;
  fixture.joints = {{"ZU2_Root"}};
  fixture.jointComments.clear();
  fixture.trailer.clear();
  fixture.modelComment = "OPT_FPS=30\r\nNum Events=0\r\n";
  // Joints 1 to 6 each with two warnings (frames past the end), joint 7 an error.
  for (int i = 1; i <= 7; ++i) {
    fixture.joints.push_back({"Ship" + std::to_string(i), 1});
    fixture.jointComments.push_back(
        {i, i < 7 ? "Sob Type=ship\r\nSob Name=A\r\nNum Events=2\r\nEvent0=150|hide|\r\n"
                    "Event1=160|show|\r\n"
                  : "Sob Type=ship\r\nSob Name=A\r\nNum Events=1\r\nEvent0=5|explode|\r\n"});
  }
  const std::string model = folder_.File("many.ms3d");
  WriteWholeFile(model, WriteMs3d(fixture).bytes);

  // Warnings only so far: it goes on to the error, which settles the status.
  Result result = Run("--max-problems 1 " + model);
  EXPECT_EQ(result.status, kExitProblemsFound) << result.out;
  EXPECT_THAT(result.out, HasSubstr("12 more problems not shown (--max-problems)\n"));
  EXPECT_THAT(result.out, Not(HasSubstr("stopped at")));  // the error was on the last joint
  // With --strict a warning settles it: it stops after joint 1's second warning.
  result = Run("--strict --max-problems 1 " + model);
  EXPECT_EQ(result.status, kExitProblemsFound) << result.out;
  EXPECT_THAT(result.out,
              HasSubstr("1 more problem not shown (--max-problems)\n"
                        "stopped at --max-problems: there may be more problems, so the counts "
                        "are lower bounds\n"
                        "1 file checked: 0 errors, 2 warnings, 0 infos\n"));
  // A second file is only read: one that cannot be read still says so.
  result = Run("--strict --max-problems 1 --json " + model + " " + model + " " +
               folder_.File("missing.ms3d"));
  EXPECT_EQ(result.status, 2) << result.out;
  const nlohmann::json report = nlohmann::json::parse(result.out);
  EXPECT_EQ(report["stoppedEarly"], true);
  EXPECT_EQ(report["filesNotChecked"], 1);
  EXPECT_EQ(report["counts"]["warnings"], 2);
  EXPECT_TRUE(report["files"][2].contains("readError"));
  // Without the option, everything.
  result = Run(model);
  EXPECT_THAT(result.out, HasSubstr("1 file checked: 1 error, 12 warnings, 0 infos\n"));
}

// A file cut short is said so in a user's words, by every command that reads it.
TEST_F(CheckCommandTest, ACutFileIsSaidToBeCutShort) {
  const std::string whole = WriteMs3d(SampleFixture()).bytes;
  const std::string path = folder_.File("cut.ms3d");
  WriteWholeFile(path, whole.substr(0, 14));
  WriteWholeFile(folder_.File("cancel.ui"), "window sheet\nclick 2\n");
  const std::string plain = path +
                            ": the file ends inside the vertices section (byte 14 of 16): it is "
                            "cut short or not a model file\n" +
                            path + ": vertices section at byte 14: the vertex count needs 2 bytes";
  for (const std::string& command :
       {std::string("check "), std::string("show "), std::string("dump "),
        "edit --script " + folder_.File("cancel.ui") + " "}) {
    const Result result = RunQuorvel(folder_, command + path, "env -u ZU2_Root");
    EXPECT_EQ(result.status, 2) << command;
    EXPECT_THAT(result.err, HasSubstr(plain)) << command;
  }
}

TEST_F(CheckCommandTest, JsonCountsAndEntries) {
  const Result result = Run("--json --max-problems 1 " + BrokenModel());
  EXPECT_EQ(result.status, kExitProblemsFound) << result.err << result.out;
  const nlohmann::json report = nlohmann::json::parse(result.out);
  EXPECT_EQ(report["counts"]["errors"], 1);
  EXPECT_EQ(report["counts"]["warnings"], 1);
  EXPECT_EQ(report["notShown"], 1);
  const nlohmann::json& file = report["files"][0];
  EXPECT_EQ(file["counts"]["warnings"], 1);
  ASSERT_EQ(file["problems"].size(), 1u);
  const nlohmann::json& problem = file["problems"][0];
  EXPECT_EQ(problem["code"], "EVENT_UNKNOWN");
  EXPECT_EQ(problem["severity"], "error");
  EXPECT_EQ(problem["joint"], 1);
  EXPECT_EQ(problem["jointName"], "CAM_Main");
  EXPECT_EQ(problem["key"], "Event0");
}

TEST_F(CheckCommandTest, GameRootFindsFiles) {
  Ms3dFixture fixture = SampleFixture();
  fixture.modelComment = "OPT_FPS=30\r\nNum Events=1\r\nEvent0=1|musicStart|\"intro.mp3\"\r\n";
  const std::string model = folder_.File("music.ms3d");
  WriteWholeFile(model, WriteMs3d(fixture).bytes);
  std::filesystem::create_directories(folder_.File("game/DATA/Sound/Music/NIS"));
  EXPECT_THAT(Run("--game-root " + folder_.File("game") + " " + model).out,
              HasSubstr("[FILE_MISSING]"));
  WriteWholeFile(folder_.File("game/DATA/Sound/Music/NIS/Intro.mp3"), "x");
  EXPECT_THAT(Run("--game-root " + folder_.File("game") + " " + model).out,
              Not(HasSubstr("[FILE_MISSING]")));
}

// Lines are made from the start and end of the last line where those stay the same:
// each line must still be its own problem's, through changes of file, joint, key,
// message, severity and code, and with 8-bit text in each part.
TEST(ReportSinkTest, EachLineIsItsOwnProblemsWhateverTheLastWas) {
  const auto problem = [](std::string_view code, int joint, std::string name, std::string key,
                          std::string message) {
    const check::ProblemCode& entry = check::FindProblemCode(code);
    return check::Problem{entry.code, entry.severity,
                          check::Place{joint, std::move(name), std::move(key)}, std::move(message)};
  };
  const struct {
    std::string file;  // empty: the same file as before
    check::Problem problem;
  } cases[] = {
      {"a.ms3d", problem("EVENT_UNKNOWN", 1, "CAM", "Event0", "m\xe9ssage")},
      {"", problem("EVENT_UNKNOWN", 1, "CAM", "Event1", "m\xe9ssage")},
      {"", problem("EVENT_UNKNOWN", 2, "CAM", "Event1", "m\xe9ssage")},      // joint
      {"", problem("EVENT_UNKNOWN", 2, "C\xc4M", "Event1", "m\xe9ssage")},   // its name
      {"", problem("EVENT_PAST_END", 2, "C\xc4M", "Event1", "m\xe9ssage")},  // code
      {"", problem("EVENT_PAST_END", 2, "C\xc4M", "Event1", "message")},     // message
      {"", problem("EVENT_PAST_END", -1, "", "", "message")},                // the model
      {"", problem("EVENT_PAST_END", -1, "", "K\xeay", "message")},
      {"b\xc3\xa9.ms3d", problem("EVENT_PAST_END", -1, "", "K\xeay", "message")},  // file
      {"", problem("EVENT_PAST_END", 2, "C\xc4M", "Event1", "message")},
  };
  std::ostringstream out;
  std::string expected;
  {
    ReportSink sink({}, &out);
    std::string file;
    for (const auto& c : cases) {
      if (!c.file.empty()) {
        file = c.file;
        sink.BeginFile(file);
      }
      ASSERT_TRUE(sink.Wants(check::FindProblemCode(c.problem.code)));
      sink.Add(c.problem);
      expected += file + ": " + ProblemText(c.problem) + "\n";
    }
    sink.Flush();
  }
  EXPECT_EQ(out.str(), expected);
}

}  // namespace
}  // namespace quorvel::app
