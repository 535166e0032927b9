#include "tools/preview/shot_starts.h"

#include <gtest/gtest.h>

namespace quorvel::preview {
namespace {

nis::SequenceInput TwoCameras(std::vector<nis::TimedEvent> events) {
  nis::SequenceInput input;
  input.lastFrame = 100;
  input.joints = {{"CAM_A", nis::JointRole::kCamera, "", {}},
                  {"CAM_B", nis::JointRole::kCamera, "", {}}};
  input.modelEvents = std::move(events);
  return input;
}

nis::TimedEvent Cut(std::int64_t frame, const std::string& camera) {
  return {frame, "cameraCut", "\"" + camera + "\"", ""};
}

TEST(ShotStartsTest, TheStartAndEachCutToAnotherCamera) {
  struct Case {
    const char* name;
    std::vector<nis::TimedEvent> events;
    std::vector<std::int64_t> starts;
  };
  const Case cases[] = {
      {"no cut", {}, {0}},
      {"a cut at the start", {Cut(0, "CAM_B")}, {0}},
      {"cuts back and forth", {Cut(0, "CAM_A"), Cut(30, "CAM_B"), Cut(60, "CAM_A")}, {0, 30, 60}},
      {"a cut to the camera already live", {Cut(0, "CAM_A"), Cut(40, "CAM_A")}, {0}},
      {"a cut past the last frame", {Cut(0, "CAM_A"), Cut(500, "CAM_B")}, {0}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ShotStarts(nis::NisTimeline(TwoCameras(c.events))), c.starts) << c.name;
  }
}

}  // namespace
}  // namespace quorvel::preview
