#include "timeline/layout.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "tests/check/check_fixture.h"
#include "tests/timeline/timeline_models.h"

namespace quorvel::timeline {
namespace {

using quorvel::testing::CrowdedModel;
using quorvel::testing::FarPastEndModel;
using quorvel::testing::SequenceOf;

std::size_t EventCount(const Sequence& sequence) {
  std::size_t count = 0;
  for (const TimelineRow& row : sequence.rows) {
    count += row.events.size();
  }
  return count;
}

// The rules every picture keeps, whatever the model and the view.
void ExpectLayoutRules(const Sequence& sequence, const Layout& layout, const std::string& what) {
  for (std::size_t i = 0; i < layout.events.size(); ++i) {
    for (std::size_t j = i + 1; j < layout.events.size(); ++j) {
      ASSERT_FALSE(layout.events[i].label.Overlaps(layout.events[j].label))
          << what << ": labels of " << layout.events[i].event->text << " and "
          << layout.events[j].event->text << " overlap";
    }
  }
  std::set<const TimelineEvent*> drawn;
  for (const PlacedEvent& placed : layout.events) {
    EXPECT_TRUE(drawn.insert(placed.event).second) << what << ": drawn twice";
    // On the axis, inside its row, the label beside its marker.
    EXPECT_GE(placed.x, layout.plot.x - 0.01) << what;
    EXPECT_LE(placed.x, layout.plot.Right() + 0.01) << what;
    EXPECT_NEAR(placed.x, layout.XOf(placed.event->frame), 0.01) << what;
    const Rect& row = layout.rows[placed.row].box;
    EXPECT_GE(placed.label.y, row.y) << what;
    EXPECT_LE(placed.label.Bottom(), row.Bottom()) << what;
    EXPECT_NEAR(placed.y, placed.label.y + placed.label.height / 2, 0.01) << what;
    EXPECT_TRUE(placed.label.x > placed.x || placed.label.Right() < placed.x) << what;
  }
  std::size_t inView = 0;
  for (const TimelineRow& row : sequence.rows) {
    for (const TimelineEvent& event : row.events) {
      if (event.frame >= layout.from && event.frame <= layout.to) {
        ++inView;
        EXPECT_TRUE(drawn.contains(&event)) << what << ": " << event.text << " not drawn";
      }
    }
  }
  EXPECT_EQ(drawn.size(), inView) << what;
}

TEST(LayoutTest, ThousandEventsKeepTheRules) {
  for (std::uint32_t seed : {1u, 2u, 3u}) {
    const Sequence sequence = SequenceOf(CrowdedModel(1000, 3000, seed));
    ASSERT_EQ(EventCount(sequence), 1000u);
    for (double width : {600.0, 1200.0, 4000.0}) {
      const Layout layout = LayOut(sequence, {width, {}, {}});
      ExpectLayoutRules(sequence, layout,
                        "seed " + std::to_string(seed) + " width " + std::to_string(width));
      EXPECT_EQ(layout.events.size(), 1000u);
      EXPECT_EQ(layout.from, 0);
      EXPECT_EQ(layout.to, 3000);
    }
  }
}

TEST(LayoutTest, EventsOfOneFrameStack) {
  const Sequence sequence = SequenceOf(CrowdedModel(300, 600, 7));
  const Layout layout = LayOut(sequence, {1200, {}, {}});
  ExpectLayoutRules(sequence, layout, "stack");
  std::map<std::pair<std::size_t, std::uint32_t>, std::set<double>> heights;
  std::map<std::pair<std::size_t, std::uint32_t>, int> counts;
  for (const PlacedEvent& placed : layout.events) {
    heights[{placed.row, placed.event->frame}].insert(placed.y);
    ++counts[{placed.row, placed.event->frame}];
  }
  bool sawStack = false;
  for (const auto& [key, count] : counts) {
    EXPECT_EQ(heights[key].size(), static_cast<std::size_t>(count));
    sawStack = sawStack || count > 2;
  }
  EXPECT_TRUE(sawStack);
}

TEST(LayoutTest, AxisCoversEventsFarPastTheAnimation) {
  const Sequence sequence = SequenceOf(FarPastEndModel());
  const Layout layout = LayOut(sequence, {1200, {}, {}});
  ExpectLayoutRules(sequence, layout, "far");
  EXPECT_EQ(layout.to, 2000000);
  ASSERT_TRUE(layout.animationEndX);
  EXPECT_NEAR(*layout.animationEndX, layout.XOf(30), 0.01);
  ASSERT_FALSE(layout.frameTicks.empty());
  EXPECT_LE(layout.frameTicks.size(), 20u);
  EXPECT_EQ(layout.frameTicks.front().text, "0");
}

TEST(LayoutTest, ViewChoosesFrames) {
  const Sequence sequence = SequenceOf(CrowdedModel(200, 1000, 5));
  const Layout layout = LayOut(sequence, {900, 100, 400});
  ExpectLayoutRules(sequence, layout, "view");
  EXPECT_EQ(layout.width, 900);
  EXPECT_NEAR(layout.XOf(100), layout.plot.x, 0.01);
  EXPECT_NEAR(layout.XOf(400), layout.plot.Right(), 0.01);
  for (const PlacedEvent& placed : layout.events) {
    EXPECT_GE(placed.event->frame, 100u);
    EXPECT_LE(placed.event->frame, 400u);
  }
}

TEST(LayoutTest, BandsStandAtTheirFrames) {
  const Sequence sequence = SequenceOf(quorvel::testing::CleanModel());
  const Layout layout = LayOut(sequence, {1200, {}, {}});
  ASSERT_EQ(layout.bands.size(), 2u);  // CAM_Main from 0, wide screen from 30
  for (const PlacedBand& placed : layout.bands) {
    EXPECT_NEAR(placed.box.x, layout.XOf(placed.band->begin), 0.01);
    EXPECT_NEAR(placed.box.Right(), layout.XOf(placed.band->end), 0.01);
    const Rect& lane = layout.bandLanes[static_cast<std::size_t>(placed.band->kind)];
    EXPECT_GE(placed.box.y, lane.y);
    EXPECT_LE(placed.box.Bottom(), lane.Bottom());
  }
  EXPECT_EQ(layout.bands[0].band->begin, 0);
  EXPECT_EQ(layout.bands[1].band->begin, 30);
  EXPECT_EQ(layout.bands[1].band->end, 300);
}

TEST(LayoutTest, SecondsFollowTheFrameRate) {
  const Sequence sequence = SequenceOf(quorvel::testing::CleanModel());  // 30 fps, 300 frames
  const Layout layout = LayOut(sequence, {1200, {}, {}});
  ASSERT_GE(layout.secondTicks.size(), 2u);
  EXPECT_EQ(layout.secondTicks[1].text, "1s");
  EXPECT_NEAR(layout.secondTicks[1].x, layout.XOf(30), 0.01);
}

}  // namespace
}  // namespace quorvel::timeline
