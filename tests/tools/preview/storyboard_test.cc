// The storyboard, drawn through the real OpenGL path: a thumbnail per shot.
#include "tools/preview/storyboard_qt.h"

#include <gtest/gtest.h>

#include "tests/tools/preview/preview_gl.h"
#include "tests/tools/preview/preview_scenes.h"

namespace quorvel::preview {
namespace {

TEST(StoryboardTest, OneThumbnailPerShotEachThroughItsCamera) {
  // A red box; two cameras at one place, one looking at it, one away from it.
  host::Scene scene;
  testing::AddBox(scene, "Box", {0, 0, 0}, 1.5f, {1, 0, 0, 1});
  scene.joints.push_back({"CAM_A", "", -1, {}, {0, 0, 6}, {}, {}});
  scene.joints.push_back({"Away", "", -1, {}, {0, 0, 30}, {}, {}});
  scene.joints.push_back({"CAM_B", "", -1, {}, {0, 0, 6}, {}, {}});
  nis::SequenceInput input;
  input.lastFrame = 30;
  input.joints = {{"Box", nis::JointRole::kFollower, "", {}},
                  {"CAM_A", nis::JointRole::kCamera, "Box", {}},
                  {"Away", nis::JointRole::kOther, "", {}},
                  {"CAM_B", nis::JointRole::kCamera, "Away", {}}};
  input.modelEvents = {{0, "cameraCut", "\"CAM_A\"", ""},
                       {10, "cameraCut", "\"CAM_B\"", ""},
                       {20, "cameraCut", "\"CAM_A\"", ""}};
  const nis::NisTimeline timeline(input);
  const FrameMaker maker(scene, timeline);
  std::string skip;
  auto pictures = testing::MakePictures(scene, 96, 54, skip);
  if (!pictures) {
    GTEST_SKIP() << "no OpenGL here: " << skip;
  }
  const QImage board = Storyboard(maker, *pictures, ShotStarts(timeline));
  ASSERT_EQ(board.size(), StoryboardSize(3, QSize(96, 54)));
  const bool seesBox[] = {true, false, true};
  for (int shot = 0; shot < 3; ++shot) {
    const QImage thumbnail = board.copy(StoryboardCell(shot, QSize(96, 54)));
    EXPECT_EQ(testing::RedInCentre(thumbnail) > 0.9, seesBox[shot]) << "shot " << shot;
  }
  // Rows of four.
  EXPECT_EQ(StoryboardSize(5, QSize(96, 54)).height(),
            2 * StoryboardSize(4, QSize(96, 54)).height() - kStoryboardGap);
}

}  // namespace
}  // namespace quorvel::preview
