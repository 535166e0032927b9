#include "tools/timeline/layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <optional>
#include <set>

#include "tests/tools/check/check_fixture.h"
#include "tests/tools/timeline/timeline_models.h"

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

// A PNG's picture stops at its height: the rows past it are left out, and said so.
TEST(LayoutTest, RowsPastTheTallestPictureAreLeftOut) {
  const Sequence sequence = SequenceOf(CrowdedModel(600, 600, 4));
  const Layout whole = LayOut(sequence, {1200, {}, {}});
  ASSERT_EQ(whole.rows.size(), 5u);
  EXPECT_EQ(whole.leftOutNote, "");
  const double limit = whole.rows[2].box.Bottom() + 150;
  const Layout cut = LayOut(sequence, {1200, {}, {}}, limit);
  EXPECT_LE(cut.height, limit);
  ASSERT_EQ(cut.rows.size(), 3u);  // the model and two joints
  EXPECT_EQ(cut.leftOutNote, "2 rows past the picture's " +
                                 std::to_string(static_cast<long long>(limit)) +
                                 " pixels left out: write an SVG, or pick rows with --joints "
                                 "PATTERN.");
  for (const PlacedEvent& placed : cut.events) {
    EXPECT_LT(placed.row, 3u);
  }
  ExpectLayoutRules(sequence, LayOut(sequence, {1200, {}, {}}, 1e9), "no limit reached");
}

// A window draws only the rows and events in view, found by halving.
TEST(LayoutTest, InViewFindsTheRowsAndEventsInARect) {
  const Sequence sequence = SequenceOf(CrowdedModel(300, 600, 9));
  const Layout layout = LayOut(sequence, {1200, {}, {}});
  ASSERT_GE(layout.rows.size(), 3u);
  for (const Rect& visible : {Rect{0, 0, 1200, 1e6}, Rect{300, layout.rows[1].box.y + 5, 400, 40},
                              Rect{0, layout.rows[2].box.Bottom() - 1, 1200, 2},
                              Rect{0, layout.height + 100, 1200, 50}}) {
    const InViewRange range = InView(layout, visible);
    for (std::size_t i = 0; i < layout.rows.size(); ++i) {
      const Rect& box = layout.rows[i].box;
      const bool reaches = box.Bottom() >= visible.y && box.y <= visible.Bottom();
      EXPECT_EQ(i >= range.rowBegin && i < range.rowEnd, reaches) << i;
    }
    for (std::size_t i = 0; i < layout.events.size(); ++i) {
      const bool inRows =
          layout.events[i].row >= range.rowBegin && layout.events[i].row < range.rowEnd;
      EXPECT_EQ(i >= range.eventBegin && i < range.eventEnd, inRows) << i;
    }
  }
}

// The texts of the axis and the labels of events stand clear of one another, on
// every view the faults were seen on: a tick at the plot's left edge (beside the
// axis titles), the animation's end near a tick, long values near either end.
TEST(LayoutTest, AxisTextsAndLabelsStandClear) {
  host::Model model = quorvel::testing::CleanModel();
  model.totalFrames = 2000;
  const std::string longValue = "\"explosions\\big.wav\"";
  model.joints[2].comment =
      quorvel::testing::FollowerComment("ship", "Alpha",
                                        {"1700|soundEvent|" + longValue, "1720|hide|",
                                         "1990|speechEvent|\"" + std::string(150, 'w') + "\"",
                                         "1999|soundEvent|" + longValue, "1950|show|"});
  const Sequence sequence = SequenceOf(model);
  struct Case {
    double width;
    std::optional<std::int64_t> from;
    std::optional<std::int64_t> to;
  };
  const Case cases[] = {{1200, 1700, {}},   {1200, 1700, 2050}, {900, 0, 2010},   {600, 1000, 2003},
                        {1200, 1699, 2000}, {2000, 1700, 2200}, {400, 1700, 1800}};
  int cut = 0;
  for (const Case& c : cases) {
    const Layout layout = LayOut(sequence, {c.width, c.from, c.to});
    const std::string what = "width " + std::to_string(c.width) + " from " +
                             std::to_string(c.from.value_or(0)) + " to " +
                             std::to_string(c.to.value_or(-1));
    ExpectLayoutRules(sequence, layout, what);
    ASSERT_FALSE(layout.frameTicks.empty()) << what;
    EXPECT_FALSE(layout.frameTicks.front().text.empty()) << what;
    std::vector<Rect> axisTexts;
    for (const std::vector<Tick>* ticks : {&layout.frameTicks, &layout.secondTicks}) {
      for (const Tick& tick : *ticks) {
        if (tick.text.empty()) {
          continue;
        }
        EXPECT_NEAR(tick.label.width, TextWidth(tick.text), 0.01) << what;
        // Right of the axis titles ("frame", "seconds" end 8 pixels left of the plot).
        EXPECT_GE(tick.label.x, layout.plot.x) << what << ": tick " << tick.text;
        EXPECT_LE(tick.label.Right(), layout.width) << what << ": tick " << tick.text;
        EXPECT_LE(std::abs(tick.label.x + tick.label.width / 2 - tick.x), tick.label.width)
            << what << ": tick " << tick.text << " far from its tick";
        for (const Rect& other : axisTexts) {
          EXPECT_FALSE(tick.label.Overlaps(other)) << what << ": tick " << tick.text;
        }
        axisTexts.push_back(tick.label);
      }
    }
    if (layout.animationEndX) {
      for (const Rect& text : axisTexts) {
        EXPECT_FALSE(text.Overlaps(layout.pastEnd)) << what << ": a tick label under the shading";
      }
      EXPECT_GE(layout.animationEndNote.x, layout.plot.x) << what;
      EXPECT_LE(layout.animationEndNote.Right(), layout.width) << what;
    }
    for (const PlacedEvent& placed : layout.events) {
      EXPECT_GE(placed.label.x, layout.plot.x) << what << ": " << placed.labelText;
      EXPECT_LE(placed.label.Right(), layout.width) << what << ": " << placed.labelText;
      const std::string name(placed.event->Name());
      const std::string value(placed.event->Value());
      const std::string whole = (placed.event->problems.empty() ? "" : "! ") +
                                (value.empty() ? name : name + " " + value);
      if (placed.labelText == whole) {
        continue;
      }
      // Cut only where the whole text fits on neither side of the marker.
      ++cut;
      EXPECT_TRUE(placed.labelText.ends_with("...")) << what << ": " << placed.labelText;
      const double needed = TextWidth(whole) + 4;
      EXPECT_GT(needed, layout.width - placed.x) << what << ": " << placed.labelText;
      EXPECT_GT(needed, placed.x - layout.plot.x) << what << ": " << placed.labelText;
    }
  }
  EXPECT_GT(cut, 0);  // the 150 characters fit no view
}

}  // namespace
}  // namespace quorvel::timeline
