#include "tools/timeline/layout.h"

#include <algorithm>
#include <cmath>

#include "framework/core/latin1.h"

namespace quorvel::timeline {
namespace {

constexpr double kGutter = kTitleColumnWidth;
constexpr double kMargin = 16;
constexpr double kTitleHeight = 28;
constexpr double kAxisHeight = 34;
constexpr double kLaneHeight = 18;
constexpr double kLineHeight = 17;
constexpr double kLabelHeight = 14;
constexpr double kRowPadding = 6;
constexpr double kMarkerGap = 6;
constexpr double kLabelGap = 3;
constexpr double kMinTickSpacing = 70;
constexpr double kTextHeight = 13;
constexpr double kLabelPadding = 4;  // a label's box is its text and 2 pixels each side

// `text` as it is when it fits in `room` pixels; else its first characters and
// "...", in that room.
std::string FittedTo(const std::string& text, double room) {
  if (TextWidth(text) <= room) {
    return text;
  }
  const double fit = std::floor(room / kCharWidth);
  const std::size_t keep = fit > 3 ? static_cast<std::size_t>(fit) - 3 : 0;
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && ++characters > keep) {
      return text.substr(0, i) + "...";
    }
  }
  return text + "...";
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
    ticks.push_back({layout.XOf(frame), std::to_string(frame / unit) + suffix, {}});
    if (frame > INT64_MAX - step) {
      break;
    }
  }
  return ticks;
}

// Frame numbers stand centred on their ticks, moved inward at the plot's ends:
// left of the plot stand the axis titles. One that would then touch the label
// before it loses its text.
void PlaceFrameLabels(Layout& layout) {
  const double right = layout.width - kMargin;
  double previousRight = -1e300;
  for (Tick& tick : layout.frameTicks) {
    const double width = TextWidth(tick.text);
    const double x = std::max(layout.plot.x, std::min(tick.x - width / 2, right - width));
    tick.label = {x, layout.axisY - 4 - 11, width, kTextHeight};
    if (x < previousRight + kLabelGap) {
      tick.text.clear();
      tick.label.width = 0;
      continue;
    }
    previousRight = tick.label.Right();
  }
}

void PlaceAxis(const Sequence& sequence, Layout& layout) {
  const double framesPerPixel =
      static_cast<double>(layout.to - layout.from) / std::max(layout.plot.width, 1.0);
  layout.frameTicks = TicksOf(layout, NiceStep(framesPerPixel * kMinTickSpacing), 1, "");
  PlaceFrameLabels(layout);
  if (sequence.frameRate > 0) {
    const std::int64_t rate = sequence.frameRate;
    const std::int64_t seconds =
        NiceStep(framesPerPixel * kMinTickSpacing / static_cast<double>(rate));
    layout.secondTicks = TicksOf(layout, seconds * rate, rate, "s");
    for (Tick& tick : layout.secondTicks) {
      tick.label = {tick.x + 2, layout.axisY - 21 - 11, TextWidth(tick.text), kTextHeight};
    }
  }
  // Only an animation that ends before the view does gets its end marked, with its
  // note right of the line, or left of it where the picture ends too soon.
  if (sequence.animationEnd >= layout.from && sequence.animationEnd < layout.to) {
    const double x = layout.XOf(sequence.animationEnd);
    layout.animationEndX = x;
    const double width = TextWidth("animation ends");
    const double noteX = x + 3 + width <= layout.width - kMargin ? x + 3 : x - 3 - width;
    layout.animationEndNote = {noteX, layout.axisY + 14 - 11, width, kTextHeight};
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
                           const Layout& layout, std::vector<PlacedEvent>& out) {
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
    std::string text(event->Name());
    if (!event->Value().empty()) {
      text += ' ';
      text += event->Value();
    }
    placed.labelText = (event->problems.empty() ? "" : "! ") + ui::Latin1ToUtf8(text);
    // Right of the marker; left of it when that would run past the plot; right again,
    // into the margin, when the left has no room either; and cut only when the
    // picture has room for the whole text on neither side.
    const double rightRoom = layout.width - kMargin - (placed.x + kMarkerGap);
    const double leftRoom = placed.x - kMarkerGap - layout.plot.x;
    double width = TextWidth(placed.labelText) + kLabelPadding;
    double x = placed.x + kMarkerGap;
    if (x + width > plotRight) {
      if (width <= leftRoom) {
        x = placed.x - kMarkerGap - width;
      } else if (width > rightRoom) {
        const bool left = leftRoom > rightRoom;
        placed.labelText =
            FittedTo(placed.labelText, std::max(left ? leftRoom : rightRoom, 0.0) - kLabelPadding);
        width = TextWidth(placed.labelText) + kLabelPadding;
        x = left ? placed.x - kMarkerGap - width : x;
      }
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
    out.push_back(std::move(placed));
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

std::string RowTitleText(const TimelineRow& row) {
  const std::string title = (row.problems.empty() ? "" : "! ") + ui::Latin1ToUtf8(row.title);
  return FittedTo(title, kGutter - 2 * 8);
}

}  // namespace

double TextWidth(const std::string& utf8) {
  std::size_t characters = 0;
  for (unsigned char c : utf8) {
    characters += (c & 0xC0) != 0x80 ? 1 : 0;
  }
  return static_cast<double>(characters) * kCharWidth;
}

InViewRange InView(const Layout& layout, const Rect& visible) {
  InViewRange range;
  const auto& rows = layout.rows;
  range.rowBegin = static_cast<std::size_t>(
      std::partition_point(rows.begin(), rows.end(),
                           [&](const PlacedRow& row) { return row.box.Bottom() < visible.y; }) -
      rows.begin());
  range.rowEnd = static_cast<std::size_t>(
      std::partition_point(rows.begin() + static_cast<std::ptrdiff_t>(range.rowBegin), rows.end(),
                           [&](const PlacedRow& row) { return row.box.y <= visible.Bottom(); }) -
      rows.begin());
  const auto& events = layout.events;
  const auto firstOf = [&](std::size_t row) {
    return static_cast<std::size_t>(
        std::partition_point(events.begin(), events.end(),
                             [&](const PlacedEvent& event) { return event.row < row; }) -
        events.begin());
  };
  range.eventBegin = firstOf(range.rowBegin);
  range.eventEnd = firstOf(range.rowEnd);
  return range;
}

std::vector<PlacedEvent> PlaceEventsOfRow(const Layout& layout, std::size_t index) {
  std::vector<PlacedEvent> events;
  const PlacedRow& row = layout.rows[index];
  PlaceRowEvents(index, *row.row, row.box.y, layout, events);
  return events;
}

double HeadHeight(const Layout& layout) {
  return layout.bandLanes.empty() ? layout.axisY : layout.bandLanes.back().Bottom() + 2;
}

double TitleColumnWidth(const Layout& layout) {
  return layout.plot.x;
}

double Layout::XOf(std::int64_t frame) const {
  const double span = static_cast<double>(std::max<std::int64_t>(to - from, 1));
  return plot.x + static_cast<double>(frame - from) / span * plot.width;
}

Layout LayOut(const Sequence& sequence, const View& view, std::optional<double> maxHeight,
              bool keepEvents) {
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
  std::size_t shown = 0;
  for (const TimelineRow& row : sequence.rows) {
    shown += static_cast<std::size_t>(
        std::count_if(row.events.begin(), row.events.end(), [&](const TimelineEvent& event) {
          return event.frame >= layout.from && event.frame <= layout.to;
        }));
  }
  layout.eventsKept = keepEvents;
  if (keepEvents) {
    layout.events.reserve(shown);
  }
  layout.rows.reserve(sequence.rows.size());
  // Room below the rows for the note and a legend of up to four lines.
  const double below = 12 + kLineHeight + 4 * kLineHeight + kMargin;
  std::size_t pastHeight = 0;
  for (std::size_t i = 0; i < sequence.rows.size(); ++i) {
    const std::size_t placedBefore = layout.events.size();
    const std::size_t levels = PlaceRowEvents(i, sequence.rows[i], top, layout, layout.events);
    const double height = static_cast<double>(levels) * kLineHeight + 2 * kRowPadding;
    if (!keepEvents || (maxHeight && i > 0 && top + height + below > *maxHeight)) {
      layout.events.resize(placedBefore);
    }
    if (maxHeight && i > 0 && top + height + below > *maxHeight) {
      pastHeight = sequence.rows.size() - i;
      break;
    }
    layout.rows.push_back(
        {&sequence.rows[i], {0, top, layout.width, height}, RowTitleText(sequence.rows[i])});
    top += height;
  }
  layout.plot.height = top - layout.plot.y;
  if (layout.animationEndX) {
    layout.pastEnd = {*layout.animationEndX, layout.axisY,
                      layout.plot.Right() - *layout.animationEndX, top - layout.axisY};
  }
  layout.legendY = top + 12;
  std::string note = sequence.leftOutNote;
  if (pastHeight != 0) {
    note += std::string(note.empty() ? "" : " ") + std::to_string(pastHeight) +
            (pastHeight == 1 ? " row" : " rows") + " past the picture's " +
            std::to_string(static_cast<long long>(*maxHeight)) +
            " pixels left out: write an SVG, or pick rows with --joints PATTERN.";
  }
  if (!note.empty()) {
    layout.leftOutNote = FittedTo(note, layout.width - 2 * kMargin);
    layout.leftOutNoteY = layout.legendY + 10;
    layout.legendY += kLineHeight;
  }
  PlaceLegend(layout);
  return layout;
}

}  // namespace quorvel::timeline
