// Frames drawn through the real OpenGL path, checked by what must show.
#include "tools/preview/offscreen_picture_qt.h"

#include <gtest/gtest.h>

#include "tests/tools/preview/preview_gl.h"
#include "tests/tools/preview/preview_scenes.h"

namespace quorvel::preview {
namespace {

using testing::AllBlack;
using testing::RedInCentre;
using testing::RowIsBlack;

struct FrameCase {
  const char* name;
  host::Vec3 target;  // where the camera at (0, 0, 6) looks
  float wideScreen;
  float fade;
  bool boxHidden;
  bool redInCentre;
  bool barsBlack;  // top and bottom rows black
  bool allBlack;
};

TEST(OffscreenPictureTest, ShowsWhatTheFrameHolds) {
  host::Scene scene;
  testing::AddBox(scene, "redBox", {0, 0, 0}, 1.5f, {1, 0, 0, 1});
  std::string skip;
  auto pictures = testing::MakePictures(scene, 160, 90, skip);
  if (!pictures) {
    GTEST_SKIP() << "no OpenGL here: " << skip;
  }
  const FrameCase cases[] = {
      {"looked at", {0, 0, 0}, 0, 0, false, true, false, false},
      {"looked away from", {0, 0, 12}, 0, 0, false, false, false, false},
      {"wide screen in", {0, 0, 0}, 1, 0, false, true, true, false},
      {"wide screen half in", {0, 0, 0}, 0.5f, 0, false, true, true, false},
      {"faded out", {0, 0, 0}, 0, 1, false, false, true, true},
      {"its joint hidden", {0, 0, 0}, 0, 0, true, false, false, false},
  };
  for (const FrameCase& c : cases) {
    SCOPED_TRACE(c.name);
    PreviewFrame frame;
    frame.pose = testing::RestPose(scene);
    frame.view.eye = {0, 0, 6};
    frame.view.target = c.target;
    frame.state.wideScreen = c.wideScreen;
    frame.state.fade = c.fade;
    frame.state.hidden = {c.boxHidden};
    const QImage image = pictures->Render(frame);
    ASSERT_EQ(image.size(), QSize(160, 90));
    if (c.redInCentre) {
      EXPECT_GT(RedInCentre(image), 0.9);
    } else {
      EXPECT_EQ(RedInCentre(image), 0);
    }
    EXPECT_EQ(RowIsBlack(image, 0) && RowIsBlack(image, 89), c.barsBlack);
    EXPECT_EQ(AllBlack(image), c.allBlack);
    // Below the bars, the picture is never black where the background shows.
    EXPECT_FALSE(RowIsBlack(image, 45) && !c.allBlack);
  }
}

// A box behind another is hidden by it: the depth buffer is on, whatever the order.
TEST(OffscreenPictureTest, NearerGeometryHidesFarther) {
  host::Scene scene;
  testing::AddBox(scene, "near", {0, 0, 2}, 1.5f, {0, 0, 1, 1});
  testing::AddBox(scene, "far", {0, 0, -2}, 1.5f, {1, 0, 0, 1});
  std::string skip;
  auto pictures = testing::MakePictures(scene, 80, 80, skip);
  if (!pictures) {
    GTEST_SKIP() << "no OpenGL here: " << skip;
  }
  PreviewFrame frame;
  frame.pose = testing::RestPose(scene);
  frame.view.eye = {0, 0, 8};
  frame.state.hidden = {false, false};
  EXPECT_EQ(RedInCentre(pictures->Render(frame)), 0);
  frame.view.eye = {0, 0, -8};  // from behind: the red box is nearer now
  EXPECT_GT(RedInCentre(pictures->Render(frame)), 0.9);
  frame.state.hidden = {false, true};
  EXPECT_EQ(RedInCentre(pictures->Render(frame)), 0);
}

}  // namespace
}  // namespace quorvel::preview
