#include "tools/preview/shot_starts.h"

#include <gtest/gtest.h>

namespace quorvel::preview {
namespace {

nis::TimedEvent Cut(std::int64_t frame, const std::string& camera) {
  return {frame, "cameraCut", "\"" + camera + "\"", ""};
}

TEST(ShotStartsTest, TheStartAndEachCutToAnotherCamera) {
  constexpr std::int64_t kFar = 1'000'000'000;
  struct Case {
    const char* name;
    std::int64_t last;
    std::vector<nis::TimedEvent> events;
    std::vector<std::int64_t> starts;
  };
  const Case cases[] = {
      {"no cut", 100, {}, {0}},
      {"a cut at the start", 100, {Cut(0, "CAM_B")}, {0}},
      {"cuts back and forth",
       100,
       {Cut(0, "CAM_A"), Cut(30, "CAM_B"), Cut(60, "CAM_A")},
       {0, 30, 60}},
      {"a cut to the camera already live", 100, {Cut(0, "CAM_A"), Cut(40, "CAM_A")}, {0}},
      {"a cut past the last frame", 100, {Cut(0, "CAM_A"), Cut(500, "CAM_B")}, {0}},
      {"a cut a billion frames on", kFar, {Cut(0, "CAM_A"), Cut(kFar, "CAM_B")}, {0, kFar}},
  };
  for (const Case& c : cases) {
    nis::SequenceInput input;
    input.lastFrame = c.last;
    input.joints = {{"CAM_A", nis::JointRole::kCamera, "", {}},
                    {"CAM_B", nis::JointRole::kCamera, "", {}}};
    input.modelEvents = c.events;
    EXPECT_EQ(ShotStarts(nis::NisTimeline(input)), c.starts) << c.name;
  }
}

TEST(ShotPictureFrameTest, TheFirstClearFrameOfTheShot) {
  const auto event = [](std::int64_t frame, const char* name, const char* value) {
    return nis::TimedEvent{frame, name, value, ""};
  };
  struct Case {
    const char* name;
    std::vector<nis::TimedEvent> events;
    std::int64_t start, end, picture;
  };
  const Case cases[] = {
      {"clear from the start", {}, 0, 100, 0},
      {"faded out, then faded in over a second",
       {event(0, "fadeSet", "1"), event(30, "cameraFadeIn", "1")},
       0,
       100,
       54},
      {"faded out throughout", {event(0, "fadeSet", "1")}, 0, 100, 0},
      {"half faded throughout, then clear past the shot",
       {event(0, "fadeSet", ".5"), event(100, "fadeSet", "0")},
       0,
       100,
       0},
      // Looked at in steps of 3,907 frames: the first frame looked at past the fade.
      {"a long shot is looked at in steps",
       {event(0, "fadeSet", "1"), event(500'000, "fadeSet", "0")},
       0,
       1'000'000,
       500'096},
  };
  for (const Case& c : cases) {
    nis::SequenceInput input;
    input.lastFrame = c.end;
    input.modelEvents = c.events;
    EXPECT_EQ(ShotPictureFrame(nis::NisTimeline(input), c.start, c.end), c.picture) << c.name;
  }
}

}  // namespace
}  // namespace quorvel::preview
