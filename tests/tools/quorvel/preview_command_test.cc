// `quorvel preview` run as a user runs it; its pictures drawn through the real
// OpenGL path and checked by what must show.
#include "tools/quorvel/preview_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

#include "examples/ms3d_writer.h"
#include "tests/support/ms3d_fixture.h"
#include "tests/support/quorvel_run.h"
#include "tests/support/x_display.h"

namespace quorvel::app {
namespace {

using quorvel::testing::CommandResult;
using quorvel::testing::RunQuorvel;
using quorvel::testing::TempFolder;
using ::testing::HasSubstr;

// Runs `quorvel preview`. Mesa unloads its driver before a sanitized build's leak
// checker looks, so what the driver keeps is reported from a module no longer
// mapped, which no suppression can name: the process that draws is not checked for
// leaks here (the in-process tests of the drawing are, with the driver kept loaded).
CommandResult RunPreview(const TempFolder& folder, const std::string& arguments,
                         const std::string& environment = "") {
  return RunQuorvel(folder, "preview " + arguments,
                    environment + (environment.empty() ? "" : " ") + "ASAN_OPTIONS=detect_leaks=0");
}

// A red box; two cameras at one place, CAM_A looking at the box, CAM_B away from it.
// The sequence: CAM_A, wide screen in at frame 5, a cut to CAM_B at 10 and back at
// 15, the box hidden at 25, faded out at 28; the animation ends at frame 31.
examples::ModelFile BoxAndTwoCameras() {
  examples::ModelFile model;
  model.totalFrames = 31;
  for (int i = 0; i < 8; ++i) {
    model.vertices.push_back(
        {(i & 1) ? 1.5f : -1.5f, (i & 2) ? 1.5f : -1.5f, (i & 4) ? 1.5f : -1.5f, 0});
  }
  const int faces[6][4] = {{0, 1, 3, 2}, {4, 5, 7, 6}, {0, 1, 5, 4},
                           {2, 3, 7, 6}, {0, 2, 6, 4}, {1, 3, 7, 5}};
  examples::Group group{"box", {}, 0, ""};
  for (const auto& face : faces) {
    for (const auto& corners : {std::array<int, 3>{0, 1, 2}, std::array<int, 3>{0, 2, 3}}) {
      examples::Triangle triangle;
      for (int c = 0; c < 3; ++c) {
        triangle.vertices[c] = static_cast<std::uint16_t>(face[corners[c]]);
      }
      group.triangles.push_back(static_cast<std::uint16_t>(model.triangles.size()));
      model.triangles.push_back(triangle);
    }
  }
  model.groups = {group};
  examples::Material red;
  red.name = "red";
  red.diffuse[0] = 1;
  red.diffuse[1] = red.diffuse[2] = 0;
  model.materials = {red};
  model.joints = {
      {"Box", "", 0, {0, 0, 0}, "Sob Type=ship\r\nNum Events=1\r\nEvent0=25|hide|\r\n"},
      {"CAM_A", "", 0, {0, 0, 6}, "Center Of Interest=Box\r\n"},
      {"Away", "", 0, {0, 0, 30}, ""},
      {"CAM_B", "", 0, {0, 0, 6}, "Center Of Interest=Away\r\n"},
  };
  model.comment =
      "OPT_FPS=30\r\nNum Events=5\r\nEvent0=0|cameraCut|\"CAM_A\"\r\n"
      "Event1=5|wideScreenIn|.1\r\nEvent2=10|cameraCut|\"CAM_B\"\r\n"
      "Event3=15|cameraCut|\"CAM_A\"\r\nEvent4=28|fadeSet|1\r\n";
  return model;
}

bool IsRed(QRgb pixel) {
  return qRed(pixel) > 100 && qGreen(pixel) < 40 && qBlue(pixel) < 40;
}

bool CentreIsRed(const QImage& image) {
  for (int y = image.height() / 3; y < image.height() * 2 / 3; ++y) {
    for (int x = image.width() / 3; x < image.width() * 2 / 3; ++x) {
      if (!IsRed(image.pixel(x, y))) {
        return false;
      }
    }
  }
  return true;
}

bool NoRed(const QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (IsRed(image.pixel(x, y))) {
        return false;
      }
    }
  }
  return true;
}

bool RowBlack(const QImage& image, int y) {
  for (int x = 0; x < image.width(); ++x) {
    if ((image.pixel(x, y) & 0xFFFFFF) != 0) {
      return false;
    }
  }
  return true;
}

class PreviewCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    model_ = folder_.File("box.ms3d");
    examples::SaveModelFile(BoxAndTwoCameras(), model_);
  }

  TempFolder folder_;
  std::string model_;
};

TEST_F(PreviewCommandTest, FramesShowWhatTheSequenceDoes) {
  if (const std::string why = quorvel::testing::EnsureXDisplay(); !why.empty()) {
    GTEST_SKIP() << why;
  }
  const std::string frames = folder_.File("frames");
  const CommandResult result =
      RunPreview(folder_, model_ + " -o " + frames + "/ --frames 0:30 --size 96x54");
  if (result.status == 5) {
    GTEST_SKIP() << "no OpenGL here: " << result.err;
  }
  ASSERT_EQ(result.status, 0) << result.err;
  struct Case {
    int frame;
    bool red;
    bool bars;
    bool black;
  };
  const Case cases[] = {
      {0, true, false, false}, {9, true, true, false},   {12, false, true, false},
      {16, true, true, false}, {26, false, true, false}, {29, false, true, true},
  };
  for (const Case& c : cases) {
    char name[32];
    std::snprintf(name, sizeof name, "/frame_%04d.png", c.frame);
    const QImage image(QString::fromStdString(frames + name));
    ASSERT_EQ(image.size(), QSize(96, 54)) << name;
    EXPECT_EQ(CentreIsRed(image), c.red) << name;
    EXPECT_EQ(NoRed(image), !c.red) << name;
    EXPECT_EQ(RowBlack(image, 0) && RowBlack(image, 53), c.bars) << name;
    EXPECT_EQ(RowBlack(image, 27), c.black) << name;
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(frames),
                          std::filesystem::directory_iterator()),
            31);
}

// Debian's models have no cameras: the free view frames each whole, textures and all.
TEST_F(PreviewCommandTest, RealModelsAreSeenWholeFromTheFreeView) {
  if (const std::string why = quorvel::testing::EnsureXDisplay(); !why.empty()) {
    GTEST_SKIP() << why;
  }
  std::error_code error;
  int seen = 0;
  for (const auto& entry :
       std::filesystem::directory_iterator("/usr/share/assimp/models/MS3D", error)) {
    if (entry.path().extension() != ".ms3d") {
      continue;
    }
    const std::string png = folder_.File(entry.path().stem().string() + ".png");
    const CommandResult result =
        RunPreview(folder_, entry.path().string() + " -o " + png + " --size 64x48");
    if (result.status == 5) {
      GTEST_SKIP() << "no OpenGL here: " << result.err;
    }
    ASSERT_EQ(result.status, 0) << entry.path() << ": " << result.err;
    // The model covers the centre and leaves the corners to the background.
    const QImage image(QString::fromStdString(png));
    const QRgb background = image.pixel(0, 0);
    EXPECT_NE(image.pixel(32, 24), background) << entry.path();
    EXPECT_EQ(image.pixel(63, 47), background) << entry.path();
    ++seen;
  }
  if (seen == 0) {
    GTEST_SKIP() << "Debian's assimp-testmodels is not installed";
  }
}

TEST_F(PreviewCommandTest, WrongRequestsAreRefusedBeforeAnythingIsDrawn) {
  struct Case {
    std::string arguments;
    int status;
    std::string message;
  };
  const std::string png = " -o " + folder_.File("a.png");
  const Case cases[] = {
      {png + " --frame 32", 1, "--frame 32 lies past the sequence's last frame, 31"},
      {" -o " + folder_.File("d") + " --frames 9:3", 1, "the last frame lies before the first"},
      {" -o " + folder_.File("d") + " --frames 3-9", 1, "give the frames as FIRST:LAST"},
      {png + " --size 10x10", 1, "each side from 16 to 8192 pixels"},
      {png + " --size big", 1, "give the size as WIDTHxHEIGHT"},
      {" -o " + folder_.File("a.jpg"), 1, "the picture is written as .png"},
      {" --storyboard", 1, "--storyboard needs -o"},
      {png + " --storyboard --frame 3", 1, "--storyboard takes no --frame or --frames"},
  };
  for (const Case& c : cases) {
    const CommandResult result = RunPreview(folder_, model_ + c.arguments);
    EXPECT_EQ(result.status, c.status) << c.arguments;
    EXPECT_THAT(result.err, HasSubstr(c.message)) << c.arguments;
  }
  EXPECT_FALSE(std::filesystem::exists(folder_.File("a.png")));
}

// A file cut short anywhere is an error that names it, never a crash.
TEST_F(PreviewCommandTest, HostileModelIsAnErrorNotACrash) {
  const std::string bytes = examples::WriteModelFile(BoxAndTwoCameras());
  const std::string cut = folder_.File("cut.ms3d");
  for (std::size_t length : {bytes.size() / 3, bytes.size() / 2, bytes.size() - 40}) {
    quorvel::testing::WriteWholeFile(cut, bytes.substr(0, length));
    const CommandResult result = RunPreview(folder_, cut + " -o " + folder_.File("cut.png"));
    EXPECT_EQ(result.status, 2) << length << ": " << result.err;
    EXPECT_THAT(result.err, HasSubstr("cut.ms3d")) << length;
  }
}

TEST_F(PreviewCommandTest, WithoutADisplaySaysWhatIsNeeded) {
  const CommandResult result = RunPreview(folder_, model_, "env -u DISPLAY -u WAYLAND_DISPLAY");
  EXPECT_EQ(result.status, 5);
  EXPECT_THAT(result.err, HasSubstr("-o FILE.png"));
  // Pictures without any display: drawn where Qt offers OpenGL without one, else the
  // message says what is needed.
  const CommandResult pictures = RunPreview(folder_, model_ + " -o " + folder_.File("x.png"),
                                            "env -u DISPLAY -u WAYLAND_DISPLAY");
  if (pictures.status != 0) {
    EXPECT_EQ(pictures.status, 5) << pictures.err;
    EXPECT_THAT(pictures.err, HasSubstr("xvfb-run quorvel preview"));
  }
}

}  // namespace
}  // namespace quorvel::app
