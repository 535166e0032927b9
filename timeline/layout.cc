#include "timeline/layout.h"

#include <algorithm>
#include <cmath>

#include "ui/framework/latin1.h"

namespace quorvel::timeline {
namespace {

constexpr double kGutter = 190;  // row titles
constexpr double kMargin = 16;
constexpr double kTitleHeight = 28;
constexpr double kAxisHeight = 34;
constexpr double kLaneHeight = 18;
constexpr double kLineHeight = 17;
constexpr double kLabelHeight = 14;
constexpr double kRowPadding = 6;
constexpr double kMarkerGap = 6;
constexpr double kLabelGap = 3;
constexpr std::size_t kMaxLabelCharacters = 28;
constexpr double kMinTickSpacing = 70;

// UTF-8 characters of `text`, at most `count`, with "..." when cut.
std::string Shortened(const std::string& text, std::size_t count) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && ++characters > count) {
      return text.substr(0, i) + "...";
    }
  }
  return text;
}

// A step of 1, 2 or 5 times a power of ten, at least `minimum`.
std::int64_t NiceStep(double minimum) {
  std::int64_t power = 1;
  while (true) {
    for (std::int64_t factor : {1, 2, 5}) {
      if (static_cast<double>(power * factor) >= minimum) {
        return power * factor;
      }
    }
    if (power > INT64_MAX / 100) {
      return power;
    }
    power *= 10;
  }
}

std::vector<Tick> TicksOf(const Layout& layout, std::int64_t step, std::int64_t unit,
                          const std::string& suffix) {
  std::vector<Tick> ticks;
  const std::int64_t first = (layout.from + step - 1) / step * step;
  for (std::int64_t frame = first; frame <= layout.to; frame += step) {
    ticks.push_back({layout.XOf(frame), std::to_string(frame / unit) + suffix});
    if (frame > INT64_MAX - step) {
      break;
    }
  }
  return ticks;
}

void PlaceAxis(const Sequence& sequence, Layout& layout) {
  const double framesPerPixel =
      static_cast<double>(layout.to - layout.from) / std::max(layout.plot.width, 1.0);
  layout.frameTicks = TicksOf(layout, NiceStep(framesPerPixel * kMinTickSpacing), 1, "");
  if (sequence.frameRate > 0) {
    const std::int64_t rate = sequence.frameRate;
    const std::int64_t seconds =
        NiceStep(framesPerPixel * kMinTickSpacing / static_cast<double>(rate));
    layout.secondTicks = TicksOf(layout, seconds * rate, rate, "s");
  }
  // Only an animation that ends before the view does gets its end marked.
  if (sequence.animationEnd >= layout.from && sequence.animationEnd < layout.to) {
    layout.animationEndX = layout.XOf(sequence.animationEnd);
  }
}

void PlaceBands(const Sequence& sequence, double top, Layout& layout) {
  for (int kind = 0; kind < 3; ++kind) {
    layout.bandLanes.push_back({0, top + kind * kLaneHeight, layout.width, kLaneHeight});
  }
  for (const Band& band : sequence.bands) {
    if (band.end < layout.from || band.begin > layout.to) {
      continue;
    }
    const Rect& lane = layout.bandLanes[static_cast<std::size_t>(band.kind)];
    const double x0 = layout.XOf(std::max(band.begin, layout.from));
    const double x1 = layout.XOf(std::min(band.end, layout.to));
    layout.bands.push_back({&band, {x0, lane.y + 2, std::max(x1 - x0, 1.0), kLaneHeight - 4}});
  }
}

// Places the labels of one row, level by level: each label takes the first level
// on which it overlaps no label placed before it. Returns the number of levels.
std::size_t PlaceRowEvents(std::size_t rowIndex, const TimelineRow& row, double top,
                           Layout& layout) {
  std::vector<const TimelineEvent*> shown;
  for (const TimelineEvent& event : row.events) {
    if (event.frame >= layout.from && event.frame <= layout.to) {
      shown.push_back(&event);
    }
  }
  std::stable_sort(shown.begin(), shown.end(), [](const TimelineEvent* a, const TimelineEvent* b) {
    return a->frame < b->frame;
  });
  // Per level, the spans of the labels (with their markers) placed on it.
  std::vector<std::vector<Rect>> levels;
  const double plotRight = layout.plot.Right();
  for (const TimelineEvent* event : shown) {
    PlacedEvent placed;
    placed.row = rowIndex;
    placed.event = event;
    placed.x = layout.XOf(event->frame);
    const std::string text = event->value.empty() ? event->name : event->name + " " + event->value;
    placed.labelText = Shortened(ui::Latin1ToUtf8(text), kMaxLabelCharacters);
    if (!event->problems.empty()) {
      placed.labelText = "! " + placed.labelText;
    }
    const double width = TextWidth(placed.labelText) + 4;
    // Right of the marker; left of it when that would run past the plot.
    double x = placed.x + kMarkerGap;
    if (x + width > plotRight && placed.x - kMarkerGap - width >= layout.plot.x) {
      x = placed.x - kMarkerGap - width;
    }
    // The marker counts as part of its label, so that events of one frame never
    // share a level, whichever side their labels stand on.
    const double left = std::min(x, placed.x - kMarkerGap) - kLabelGap;
    const double right = std::max(x + width, placed.x + kMarkerGap) + kLabelGap;
    std::size_t level = 0;
    for (;; ++level) {
      if (level == levels.size()) {
        levels.emplace_back();
      }
      const bool free =
          std::none_of(levels[level].begin(), levels[level].end(),
                       [&](const Rect& other) { return left < other.Right() && other.x < right; });
      if (free) {
        break;
      }
    }
    levels[level].push_back({left, 0, right - left, 1});
    const double lineY = top + kRowPadding + static_cast<double>(level) * kLineHeight;
    placed.y = lineY + kLabelHeight / 2;
    placed.label = {x, lineY, width, kLabelHeight};
    layout.events.push_back(std::move(placed));
  }
  return std::max<std::size_t>(levels.size(), 1);
}

void PlaceLegend(Layout& layout) {
  std::vector<std::pair<std::string, std::string>> entries;
  for (EventCategory category :
       {EventCategory::kCamera, EventCategory::kScreen, EventCategory::kSound, EventCategory::kShip,
        EventCategory::kEffect, EventCategory::kUnknown}) {
    const std::string name(CategoryName(category));
    entries.emplace_back(name, name + " event");
  }
  for (BandKind kind : {BandKind::kCamera, BandKind::kWideScreen, BandKind::kFade}) {
    entries.emplace_back("band-" + std::string(BandKindName(kind)),
                         std::string(BandKindName(kind)) + " span");
  }
  entries.emplace_back("problem", "problem found by quorvel check");
  entries.emplace_back("muted", "joint without a page");
  double x = kMargin;
  double y = layout.legendY;
  for (const auto& [kind, text] : entries) {
    const double width = 14 + 6 + TextWidth(text) + 18;
    if (x + width > layout.width - kMargin && x > kMargin) {
      x = kMargin;
      y += kLineHeight;
    }
    layout.legend.push_back({{x, y + 2, 14, 11}, kind, text, x + 20});
    x += width;
  }
  layout.height = y + kLineHeight + kMargin;
}

}  // namespace

double TextWidth(const std::string& utf8) {
  std::size_t characters = 0;
  for (unsigned char c : utf8) {
    characters += (c & 0xC0) != 0x80 ? 1 : 0;
  }
  return static_cast<double>(characters) * kCharWidth;
}

double Layout::XOf(std::int64_t frame) const {
  const double span = static_cast<double>(std::max<std::int64_t>(to - from, 1));
  return plot.x + static_cast<double>(frame - from) / span * plot.width;
}

Layout LayOut(const Sequence& sequence, const View& view) {
  Layout layout;
  layout.width = std::max(view.width, kGutter + 200);
  layout.from = std::max<std::int64_t>(view.from.value_or(0), 0);
  layout.to = std::max(view.to.value_or(sequence.axisEnd), layout.from);
  // Room on the right for the labels of the last frames, which turn left only when
  // they would cross the plot's left edge otherwise.
  layout.plot = {kGutter, kTitleHeight, layout.width - kGutter - kMargin - 60, 0};
  layout.axisY = kTitleHeight + kAxisHeight;
  PlaceAxis(sequence, layout);
  PlaceBands(sequence, layout.axisY + 4, layout);
  double top = layout.axisY + 4 + 3 * kLaneHeight + 6;
  for (std::size_t i = 0; i < sequence.rows.size(); ++i) {
    const std::size_t levels = PlaceRowEvents(i, sequence.rows[i], top, layout);
    const double height = static_cast<double>(levels) * kLineHeight + 2 * kRowPadding;
    layout.rows.push_back({&sequence.rows[i], {0, top, layout.width, height}});
    top += height;
  }
  layout.plot.height = top - layout.plot.y;
  layout.legendY = top + 12;
  PlaceLegend(layout);
  return layout;
}

}  // namespace quorvel::timeline
