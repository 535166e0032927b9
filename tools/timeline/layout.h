#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/timeline/sequence.h"

namespace quorvel::timeline {

struct Rect {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;

  double Right() const { return x + width; }
  double Bottom() const { return y + height; }
  bool Overlaps(const Rect& other) const {
    return x < other.Right() && other.x < Right() && y < other.Bottom() && other.y < Bottom();
  }
  bool Contains(double px, double py) const {
    return px >= x && px <= Right() && py >= y && py <= Bottom();
  }
};

// What part of the sequence is drawn, and how wide.
struct View {
  double width = 1200;
  std::optional<std::int64_t> from;  // first frame shown; 0 when not given
  std::optional<std::int64_t> to;    // last frame shown; the axis end when not given
};

// Text is drawn in a monospaced font of this pixel size, so its width is known
// without measuring it: every character advances kCharWidth.
inline constexpr double kFontSize = 11;
inline constexpr double kCharWidth = 6.7;
double TextWidth(const std::string& utf8);
// The column of row titles left of the plot.
inline constexpr double kTitleColumnWidth = 190;

struct PlacedEvent {
  std::size_t row = 0;
  const TimelineEvent* event = nullptr;
  double x = 0;  // the marker's centre
  double y = 0;
  Rect label;
  // Name and value; cut, with "...", only where the picture has no room for the
  // whole text on either side of the marker.
  std::string labelText;
};

struct PlacedRow {
  const TimelineRow* row = nullptr;
  Rect box;
  std::string titleText;  // the title, with "! " when flagged; cut to the title column
};

struct PlacedBand {
  const Band* band = nullptr;
  Rect box;
};

struct Tick {
  double x = 0;
  std::string text;
  // Where the text stands: beside or centred on its tick, but never left of the
  // plot, where the axis titles are, nor past the picture's right edge.
  Rect label;
};

struct LegendEntry {
  Rect swatch;
  std::string kind;  // a category name, a band kind, "problem" or "no page"
  std::string text;
  double textX = 0;
};

// Every position of the picture, in pixels, for whatever draws it.
struct Layout {
  double width = 0;
  double height = 0;
  Rect plot;  // the area of the time axis, across every lane and row
  std::int64_t from = 0;
  std::int64_t to = 0;
  double axisY = 0;
  std::vector<Tick> frameTicks;
  std::vector<Tick> secondTicks;
  std::optional<double> animationEndX;  // where the animation ends, when before the view ends
  // Below the axis from there to the plot's end, so no tick label lies under it;
  // and its note "animation ends", beside the line where it fits.
  Rect pastEnd;
  Rect animationEndNote;
  std::vector<Rect> bandLanes;  // one per BandKind, in order
  std::vector<PlacedBand> bands;
  std::vector<PlacedRow> rows;
  // Every event in view, in row order; none when the layout was made without them
  // (see LayOut), and then PlaceEventsOfRow places a row's events when it is drawn.
  std::vector<PlacedEvent> events;
  bool eventsKept = true;
  std::vector<LegendEntry> legend;
  double legendY = 0;
  // The line that says which rows were left out; empty when none were.
  std::string leftOutNote;
  double leftOutNoteY = 0;

  double XOf(std::int64_t frame) const;
};

// The parts of a layout that lie in `visible` (in picture coordinates): the rows
// [rowBegin, rowEnd) that reach into it from top to bottom, and their events
// [eventBegin, eventEnd) (events stand in row order). Found by halving, so a window
// draws only what is in view however many rows the picture has.
struct InViewRange {
  std::size_t rowBegin = 0;
  std::size_t rowEnd = 0;
  std::size_t eventBegin = 0;
  std::size_t eventEnd = 0;
};
InViewRange InView(const Layout& layout, const Rect& visible);

// The height of the picture's head (title, axis and band lanes) and the width of
// its title column: what a window keeps in place while the rest scrolls.
double HeadHeight(const Layout& layout);
double TitleColumnWidth(const Layout& layout);

// Lays the sequence out: the frame axis with seconds from the frame rate, a lane
// per kind of band, then a row per TimelineRow. Each event in the view gets a
// marker and a label; labels never overlap one another, and events of one frame
// stack. The sequence must outlive the layout.
// `maxHeight`, when given, is the tallest picture wanted (a PNG's): the rows that
// would make it taller are left out, and the line that says which rows were left
// out says so.
// With `keepEvents` false the layout holds no events, only the rows' heights: a
// writer that draws row by row (the SVG's) places each row's events as it draws
// them, so a picture of many rows never holds all its labels at once.
Layout LayOut(const Sequence& sequence, const View& view,
              std::optional<double> maxHeight = std::nullopt, bool keepEvents = true);

// The events of row `index` of `layout`, placed exactly as LayOut places them.
std::vector<PlacedEvent> PlaceEventsOfRow(const Layout& layout, std::size_t index);

}  // namespace quorvel::timeline
