#include <gtest/gtest.h>

#include <array>
#include <set>

#include "tools/nis/nis_state.h"

namespace quorvel::nis {
namespace {

// "frame|name|value" into an event.
TimedEvent Ev(std::int64_t frame, std::string name, std::string value = "") {
  return {frame, name, value, std::to_string(frame) + "|" + name + "|" + value};
}

SequenceJoint Camera(std::string name, std::string centre = "",
                     std::vector<TimedEvent> events = {}) {
  return {std::move(name), JointRole::kCamera, std::move(centre), std::move(events)};
}
SequenceJoint Ship(std::string name, std::vector<TimedEvent> events = {}) {
  return {std::move(name), JointRole::kFollower, "", std::move(events)};
}

SequenceInput Input(std::vector<TimedEvent> model, std::vector<SequenceJoint> joints = {},
                    std::int64_t lastFrame = 300) {
  return {10, lastFrame, std::move(model), std::move(joints)};
}

TEST(NisTimelineTest, TheLiveCameraAndItsCentreOfInterest) {
  const std::vector<SequenceJoint> crew = {Ship("Rock"), Camera("CAM_A", "Rock"),
                                           Camera("CAM_B", "Nobody"), Camera("CAM_C", "CAM_A")};
  struct Case {
    std::string what;
    std::vector<TimedEvent> model;
    std::vector<SequenceJoint> joints;
    std::vector<std::array<std::int64_t, 3>> frameCameraCentre;
  };
  const Case cases[] = {
      {"no camera joint: the free view",
       {Ev(0, "cameraCut", "\"CAM_A\"")},
       {Ship("Rock")},
       {{0, -1, -1}, {100, -1, -1}}},
      {"before the first cut, the first camera",
       {Ev(50, "cameraCut", "\"CAM_B\"")},
       crew,
       {{0, 1, 0}, {49, 1, 0}, {50, 2, -1}, {1000, 2, -1}}},
      {"cuts in frame order; a later one at the same frame wins",
       {Ev(10, "cameraCut", "\"CAM_C\""), Ev(10, "cameraCut", "\"CAM_B\""),
        Ev(20, "cameraCut", "\"CAM_C\"")},
       crew,
       {{9, 1, 0}, {10, 2, -1}, {19, 2, -1}, {20, 3, 1}}},
      {"a cut to a name that is no camera, or in a joint's list, changes nothing",
       {Ev(10, "cameraCut", "\"Rock\""), Ev(20, "cameraCut", "\"CAM_X\"")},
       {Ship("Rock"), Camera("CAM_A", "", {Ev(5, "cameraCut", "\"CAM_B\"")}), Camera("CAM_B")},
       {{0, 1, -1}, {30, 1, -1}}},
  };
  for (const Case& c : cases) {
    const NisTimeline timeline(Input(c.model, c.joints));
    for (const auto& [frame, camera, centre] : c.frameCameraCentre) {
      const NisState state = timeline.At(frame);
      EXPECT_EQ(state.frame, frame) << c.what;
      EXPECT_EQ(state.liveCamera, camera) << c.what << " at " << frame;
      EXPECT_EQ(state.centreOfInterest, centre) << c.what << " at " << frame;
    }
  }
}

TEST(NisTimelineTest, WideScreenAndFadeMoveOverTheirSeconds) {
  // 10 frames a second.
  struct Case {
    std::string what;
    std::vector<TimedEvent> model;
    std::vector<std::array<float, 3>> frameWideFade;
  };
  const Case cases[] = {
      {"clear and no bars without events", {}, {{0, 0, 0}, {300, 0, 0}}},
      {"bars in over half a second, out partway over two",
       {Ev(30, "wideScreenIn", ".50"), Ev(100, "wideScreenOut", "2")},
       {{29, 0, 0},
        {30, 0, 0},
        {32, 0.4f, 0},
        {35, 1, 0},
        {99, 1, 0},
        {110, 0.5f, 0},
        {120, 0, 0}}},
      {"bars in at once; out before they are fully in starts from where they are",
       {Ev(0, "wideScreenIn", ""), Ev(10, "wideScreenOut", "1"), Ev(15, "wideScreenIn", "1")},
       {{0, 1, 0}, {15, 0.5f, 0}, {20, 0.75f, 0}, {25, 1, 0}}},
      {"fade set, then to a level over seconds",
       {Ev(0, "fadeSet", "1"), Ev(20, "fadeTo", "0 2"), Ev(60, "fadeTo", ".50"),
        Ev(70, "fadeSet", "7")},
       {{0, 0, 1}, {20, 0, 1}, {30, 0, 0.5f}, {40, 0, 0}, {60, 0, 0.5f}, {70, 0, 1}}},
      {"camera fade in: from black over its seconds",
       {Ev(50, "cameraFadeIn", "1")},
       {{49, 0, 0}, {50, 0, 1}, {55, 0, 0.5f}, {60, 0, 0}}},
      {"stay faded at end: the last frame is black",
       {Ev(10, "stayFadedAtEnd", "")},
       {{10, 0, 0}, {299, 0, 0}, {300, 0, 1}}},
  };
  for (const Case& c : cases) {
    const NisTimeline timeline(Input(c.model));
    for (const auto& [frame, wide, fade] : c.frameWideFade) {
      const NisState state = timeline.At(static_cast<std::int64_t>(frame));
      EXPECT_NEAR(state.wideScreen, wide, 1e-5) << c.what << " at " << frame;
      EXPECT_NEAR(state.fade, fade, 1e-5) << c.what << " at " << frame;
    }
  }
}

TEST(NisTimelineTest, JointsHideAndShowByTheirOwnEvents) {
  const NisTimeline timeline(
      Input({Ev(0, "hide", "")},  // in the model's list: not a joint's event
            {Ship("A", {Ev(10, "hide"), Ev(20, "show")}),
             Ship("B", {Ev(30, "show"), Ev(30, "death", "\"boom\"")}),
             Ship("C", {Ev(5, "setInHyperspace"), Ev(40, "hyperspaceOut"), Ev(60, "hyperspaceIn")}),
             Camera("CAM_A", "", {Ev(15, "hide")})}));
  const std::pair<std::int64_t, std::set<int>> expected[] = {
      {0, {}},      {5, {2}},        {10, {0, 2}}, {15, {0, 2, 3}},
      {20, {2, 3}}, {30, {1, 2, 3}}, {40, {1, 3}}, {60, {1, 2, 3}},
  };
  for (const auto& [frame, hidden] : expected) {
    const NisState state = timeline.At(frame);
    ASSERT_EQ(state.hidden.size(), 4u);
    for (int joint = 0; joint < 4; ++joint) {
      EXPECT_EQ(state.hidden[static_cast<std::size_t>(joint)], hidden.contains(joint))
          << "joint " << joint << " at " << frame;
    }
  }
}

TEST(NisTimelineTest, CaptionsForFourSecondsAndTheTickerAtItsFrame) {
  const NisTimeline timeline(
      Input({Ev(0, "musicStart", "\"a.mp3\""), Ev(10, "displayCard", "\"Chapter 1\""),
             Ev(30, "speechEvent", "line 7"), Ev(30, "fadeSet", "1"), Ev(35, "displayCard", ""),
             Ev(30, "nisOut", "2"), Ev(30, "Unknown", "")},
            {Ship("A", {Ev(30, "attack", "\"B\""), Ev(30, "hide")})}));
  struct Case {
    std::int64_t frame;
    std::vector<std::string> texts;
    std::vector<std::string> firing;
  };
  const Case cases[] = {
      {0, {}, {"0|musicStart|\"a.mp3\""}},
      {10, {"Chapter 1"}, {}},
      {30, {"Chapter 1", "line 7"}, {"30|nisOut|2", "A: 30|attack|\"B\""}},
      {49, {"Chapter 1", "line 7"}, {}},
      {50, {"line 7"}, {}},
      {70, {}, {}},
  };
  for (const Case& c : cases) {
    const NisState state = timeline.At(c.frame);
    std::vector<std::string> texts;
    for (const ScreenText& text : state.texts) {
      texts.push_back(text.text);
    }
    EXPECT_EQ(texts, c.texts) << "at " << c.frame;
    EXPECT_EQ(state.firing, c.firing) << "at " << c.frame;
  }
  const NisState speech = timeline.At(30);
  EXPECT_EQ(speech.texts.at(1).since, 30);
  EXPECT_EQ(speech.texts.at(1).event, "speechEvent");
}

}  // namespace
}  // namespace quorvel::nis
