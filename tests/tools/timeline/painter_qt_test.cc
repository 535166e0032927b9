// What the timeline window shows on hover (the window itself needs a display).
#include <gtest/gtest.h>

#include "tests/tools/timeline/blank_sequence.h"
#include "tools/timeline/painter_qt.h"

namespace quorvel::app {
namespace {

timeline::Sequence OneRow() {
  timeline::Sequence sequence = testing::BlankSequence(100);
  timeline::TimelineRow row;
  row.title = "Fighter1 (ship)";
  row.joint = 2;
  timeline::TimelineEvent event = timeline::ReadTimelineEvent(3, "50|Hide|");
  event.problems = {"error: \"Hide\" is not an event [EVENT_NAME_CASE]"};
  row.events.push_back(event);
  row.problems = {"warning: something about the joint [SOB_TYPE_CASE]"};
  sequence.rows.push_back(row);
  sequence.bands.push_back({timeline::BandKind::kCamera, 0, 100, "CAM_Main"});
  return sequence;
}

TEST(TimelineHoverTest, ShowsWholeTextsAndProblems) {
  const timeline::Sequence sequence = OneRow();
  const timeline::Layout layout = timeline::LayOut(sequence, {800, {}, {}});
  ASSERT_EQ(layout.events.size(), 1u);
  const timeline::PlacedEvent& placed = layout.events[0];
  const std::string event =
      "Fighter1 (ship): Event3 = 50|Hide|\nerror: \"Hide\" is not an event [EVENT_NAME_CASE]";
  EXPECT_EQ(TimelineHoverText(layout, placed.x, placed.y), event);
  EXPECT_EQ(TimelineHoverText(layout, placed.label.Right() - 1, placed.y), event);
  const timeline::Rect& band = layout.bands.at(0).box;
  EXPECT_EQ(TimelineHoverText(layout, band.x + 5, band.y + 5), "CAM_Main: frames 0 to 100");
  const timeline::Rect& row = layout.rows.at(0).box;
  EXPECT_EQ(TimelineHoverText(layout, 10, row.y + 5),
            "Fighter1 (ship)\nwarning: something about the joint [SOB_TYPE_CASE]");
  EXPECT_EQ(TimelineHoverText(layout, placed.x - 60, row.Bottom() - 1), "");
}

}  // namespace
}  // namespace quorvel::app
