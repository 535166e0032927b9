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

}  // namespace
}  // namespace quorvel::preview
