// `quorvel timeline` run as a user runs it.
#include "tools/quorvel/timeline_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "tests/support/ms3d_fixture.h"

namespace quorvel::app {
namespace {

using quorvel::testing::ReadWholeFile;
using quorvel::testing::TempFolder;
using ::testing::HasSubstr;

struct Result {
  int status = -1;
  std::string err;
};

class TimelineCommandTest : public ::testing::Test {
 protected:
  Result Run(const std::string& arguments, const std::string& environment = "") {
    const std::string err = folder_.File("stderr");
    const std::string command = "env -u ZU2_Root " + environment +
                                " " QUORVEL_BINARY_DIR "/bin/quorvel timeline " + arguments +
                                " >/dev/null 2>" + err + " </dev/null";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadWholeFile(err)};
  }

  TempFolder folder_;
};

// The README shows docs/timeline-fleet.svg: it must be what this build draws.
TEST_F(TimelineCommandTest, ReadmePictureIsWhatTheBuildDraws) {
  const std::string drawn = folder_.File("fleet.svg");
  ASSERT_EQ(Run(QUORVEL_SOURCE_DIR "/examples/fleet.ms3d -o " + drawn).status, 0);
  EXPECT_TRUE(ReadWholeFile(drawn) == ReadWholeFile(QUORVEL_SOURCE_DIR "/docs/timeline-fleet.svg"))
      << "docs/timeline-fleet.svg differs from what the build draws; draw it anew with "
         "cmake --build BUILD --target timeline_example";
}

TEST_F(TimelineCommandTest, PngIsDrawnOffscreen) {
  const std::string png = folder_.File("fleet.png");
  const Result result = Run(QUORVEL_SOURCE_DIR "/examples/fleet.ms3d -o " + png + " --width 800",
                            "-u DISPLAY -u XDG_RUNTIME_DIR");
  if (result.status == 1 && result.err.find("no Qt") != std::string::npos) {
    GTEST_SKIP() << "a build without Qt";
  }
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");  // not even Qt's notice of a missing runtime folder
  EXPECT_EQ(ReadWholeFile(png).substr(0, 8), "\x89PNG\r\n\x1a\n");
}

// Rows picked by name, the patterns given before the model; the model's row stays.
TEST_F(TimelineCommandTest, JointsPickRows) {
  const std::string drawn = folder_.File("picked.svg");
  ASSERT_EQ(Run("--joints 'CAM_*' --joints Fighter1 -o " + drawn +
                " " QUORVEL_SOURCE_DIR "/examples/fleet.ms3d")
                .status,
            0);
  const std::string svg = ReadWholeFile(drawn);
  std::vector<std::string> titles;
  for (std::size_t at = svg.find("class=\"row-title"); at != std::string::npos;
       at = svg.find("class=\"row-title", at + 1)) {
    const std::size_t begin = svg.find('>', at) + 1;
    titles.push_back(svg.substr(begin, svg.find('<', begin) - begin));
  }
  EXPECT_EQ(titles, (std::vector<std::string>{"Model", "CAM_Main (camera)", "CAM_Wide (camera)",
                                              "Fighter1 (ship)"}));
}

// A file name with characters XML refuses still gives a well-formed picture.
TEST_F(TimelineCommandTest, FileNameXmlRefusesIsReplaced) {
  const std::string model = folder_.File(
      "odd\xEF\xBF\xBF"
      "name.ms3d");
  quorvel::testing::WriteWholeFile(model, ReadWholeFile(QUORVEL_SOURCE_DIR "/examples/fleet.ms3d"));
  const std::string drawn = folder_.File("odd.svg");
  ASSERT_EQ(Run("'" + model + "' -o " + drawn).status, 0);
  const std::string svg = ReadWholeFile(drawn);
  EXPECT_NE(svg.find("odd\xEF\xBF\xBD"
                     "name.ms3d"),
            std::string::npos);
  EXPECT_EQ(svg.find("\xEF\xBF\xBF"), std::string::npos);
}

TEST_F(TimelineCommandTest, StatusesForWrongLinesAndFiles) {
  const std::string fleet = QUORVEL_SOURCE_DIR "/examples/fleet.ms3d";
  struct Case {
    std::string arguments;
    int status;
    std::string says;
  };
  const Case cases[] = {
      {fleet + " -o " + folder_.File("x.gif"), 1, ".svg or .png"},
      {fleet + " --from 50 --to 10 -o " + folder_.File("x.svg"), 1, "lies before --from"},
      {fleet + " --width 10 -o " + folder_.File("x.svg"), 1, "--width"},
      {folder_.File("missing.ms3d") + " -o " + folder_.File("x.svg"), 2, "missing.ms3d"},
      {fleet + " -o " + folder_.File("no/such/folder/x.svg"), 2, "cannot be written"},
      // No display and no -o: nowhere to show the picture.
      {fleet, 5, "-o FILE.svg"},
  };
  for (const Case& c : cases) {
    const Result result =
        Run(c.arguments, "-u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen");
    EXPECT_EQ(result.status, c.status) << c.arguments << ": " << result.err;
    EXPECT_THAT(result.err, HasSubstr(c.says)) << c.arguments;
  }
}

}  // namespace
}  // namespace quorvel::app
