#include "tools/timeline/sequence.h"

#include <gtest/gtest.h>

#include "tests/tools/check/check_fixture.h"
#include "tests/tools/timeline/timeline_models.h"

namespace quorvel::timeline {
namespace {

using quorvel::testing::CleanModel;
using quorvel::testing::FollowerComment;
using quorvel::testing::SequenceOf;

std::vector<TimelineEvent> Events(const std::vector<std::pair<std::uint32_t, std::string>>& list) {
  std::vector<TimelineEvent> events;
  for (const auto& [frame, nameAndValue] : list) {
    const std::string text = std::to_string(frame) + "|" + nameAndValue +
                             (nameAndValue.find('|') == std::string::npos ? "|" : "");
    events.push_back(ReadTimelineEvent(events.size(), text));
  }
  return events;
}

TEST(SequenceTest, EventPartsAreReadFromTheText) {
  struct Case {
    std::string text;
    std::uint32_t frame;
    std::string name;
    std::string value;
    EventCategory category;
  };
  const Case cases[] = {
      {"30|cameraCut|\"CAM_A\"", 30, "cameraCut", "\"CAM_A\"", EventCategory::kCamera},
      {"5|hide|", 5, "hide", "", EventCategory::kShip},
      {"7|a|b|c", 7, "a|b", "c", EventCategory::kUnknown},
      {"12|no value", 12, "12|no value", "", EventCategory::kUnknown},
      {"", 0, "", "", EventCategory::kUnknown},
  };
  for (const Case& c : cases) {
    const TimelineEvent event = ReadTimelineEvent(4, c.text);
    EXPECT_EQ(event.index, 4u) << c.text;
    EXPECT_EQ(event.frame, c.frame) << c.text;
    EXPECT_EQ(event.Name(), c.name) << c.text;
    EXPECT_EQ(event.Value(), c.value) << c.text;
    EXPECT_EQ(event.category, c.category) << c.text;
    const TimelineEvent copy = event;  // the parts travel with the text
    EXPECT_EQ(copy.Name(), c.name) << c.text;
  }
}

TEST(SequenceTest, BandsBeginAndEndAtTheirEvents) {
  struct Case {
    std::string what;
    std::vector<std::pair<std::uint32_t, std::string>> events;
    std::vector<Band> bands;
  };
  const Case cases[] = {
      {"each cut until the next, the last until the axis end",
       {{50, "cameraCut|\"CAM_B\""}, {0, "cameraCut|\"CAM_A\""}},
       {{BandKind::kCamera, 0, 50, "CAM_A"}, {BandKind::kCamera, 50, 100, "CAM_B"}}},
      {"a later cut at the same frame wins",
       {{0, "cameraCut|\"CAM_A\""}, {0, "cameraCut|\"CAM_B\""}},
       {{BandKind::kCamera, 0, 100, "CAM_B"}}},
      {"wide screen in to out; an open one to the end; out alone is nothing",
       {{5, "wideScreenOut|1"},
        {10, "wideScreenIn|1"},
        {20, "wideScreenIn|1"},
        {40, "wideScreenOut|1"},
        {60, "wideScreenIn|.50"}},
       {{BandKind::kWideScreen, 10, 40, "wide screen"},
        {BandKind::kWideScreen, 60, 100, "wide screen"}}},
      {"each fade until the next",
       {{0, "fadeSet|1"}, {20, "fadeTo|0 2"}, {90, "cameraFadeIn|1"}},
       {{BandKind::kFade, 0, 20, "fadeSet 1"},
        {BandKind::kFade, 20, 90, "fadeTo 0 2"},
        {BandKind::kFade, 90, 100, "cameraFadeIn 1"}}},
      {"kinds in order",
       {{30, "fadeSet|0"}, {10, "cameraCut|\"CAM_A\""}, {100, "hide"}},
       {{BandKind::kCamera, 10, 100, "CAM_A"}, {BandKind::kFade, 30, 100, "fadeSet 0"}}},
  };
  for (const Case& c : cases) {
    const std::vector<Band> bands = BandsOf(Events(c.events), 100);
    ASSERT_EQ(bands.size(), c.bands.size()) << c.what;
    for (std::size_t i = 0; i < bands.size(); ++i) {
      EXPECT_EQ(bands[i].kind, c.bands[i].kind) << c.what;
      EXPECT_EQ(bands[i].begin, c.bands[i].begin) << c.what;
      EXPECT_EQ(bands[i].end, c.bands[i].end) << c.what;
      EXPECT_EQ(bands[i].label, c.bands[i].label) << c.what;
    }
  }
}

TEST(SequenceTest, RowsAreTheModelThenJointsWithARecordInModelOrder) {
  host::Model model = CleanModel();
  model.joints.push_back({"IG_Helper", 1, "Sob Type=ship\r\nNum Events=1\r\nEvent0=1|hide|\r\n"});
  model.joints.push_back({"Salvage", 1, ""});
  model.joints.push_back(
      {"CAM_Far", 0, "Center Of Interest=\r\nNum Events=1\r\nEvent0=2|Hide|\r\n"});
  const Sequence sequence = SequenceOf(model);
  std::vector<std::string> titles;
  for (const TimelineRow& row : sequence.rows) {
    titles.push_back(row.title + (row.muted ? " muted" : ""));
  }
  EXPECT_EQ(titles, (std::vector<std::string>{"Model", "CAM_Main (camera)", "Fighter1 (ship)",
                                              "Mother (ship)", "Rock (other) muted",
                                              "CAM_Far (camera) muted"}));
  EXPECT_EQ(sequence.frameRate, 30u);
  EXPECT_EQ(sequence.axisEnd, 300);
  // The checker's problem sits at its event.
  const TimelineEvent& hide = sequence.rows.back().events.at(0);
  ASSERT_EQ(hide.problems.size(), 1u);
  EXPECT_NE(hide.problems[0].find("[EVENT_NAME_CASE]"), std::string::npos);
  EXPECT_EQ(hide.category, EventCategory::kUnknown);
  EXPECT_EQ(sequence.rows[0].events[0].category, EventCategory::kCamera);
}

TEST(SequenceTest, AxisRunsToTheLastEventPastTheAnimation) {
  const Sequence sequence = SequenceOf(quorvel::testing::FarPastEndModel());
  EXPECT_EQ(sequence.animationEnd, 30);
  EXPECT_EQ(sequence.axisEnd, 2000000);
}

}  // namespace
}  // namespace quorvel::timeline
