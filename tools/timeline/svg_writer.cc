#include "tools/timeline/svg_writer.h"

#include <charconv>
#include <map>

#include "framework/core/latin1.h"
#include "tools/timeline/xml_text.h"

namespace quorvel::timeline {
namespace {

// Hands what is made so far to `out` once it holds this much.
constexpr std::size_t kChunk = 64 * 1024;

void Flush(std::string& svg, std::ostream* out, std::size_t atLeast = kChunk) {
  if (out != nullptr && svg.size() >= atLeast) {
    out->write(svg.data(), static_cast<std::streamsize>(svg.size()));
    svg.clear();
  }
}

// As printf's "%.1f" writes it, without its cost.
std::string Number(double value) {
  char buffer[64];
  const std::to_chars_result end =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 1);
  return std::string(buffer, end.ptr);
}

std::string RectElement(const Rect& box, const std::string& attributes) {
  return "<rect x=\"" + Number(box.x) + "\" y=\"" + Number(box.y) + "\" width=\"" +
         Number(box.width) + "\" height=\"" + Number(box.height) + "\" " + attributes + "/>\n";
}

std::string TextElement(double x, double y, const std::string& utf8,
                        const std::string& attributes) {
  return "<text x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" " + attributes + ">" +
         XmlText(utf8) + "</text>\n";
}

std::string EventTitle(const TimelineRow& row, const TimelineEvent& event) {
  std::string title = row.title + ": Event" + std::to_string(event.index) + " = " + event.text;
  for (const std::string_view problem : event.problems) {
    title += '\n';
    title += problem;
  }
  return ui::Latin1ToUtf8(title);
}

void WriteAxis(const Layout& layout, std::string& svg, std::ostream* out) {
  const std::string y = Number(layout.axisY);
  svg += "<line x1=\"" + Number(layout.plot.x) + "\" y1=\"" + y + "\" x2=\"" +
         Number(layout.plot.Right()) + "\" y2=\"" + y + "\" class=\"axis\"/>\n";
  for (const Tick& tick : layout.frameTicks) {
    svg += "<line x1=\"" + Number(tick.x) + "\" y1=\"" + y + "\" x2=\"" + Number(tick.x) +
           "\" y2=\"" + Number(layout.plot.Bottom()) + "\" class=\"grid\"/>\n";
    if (!tick.text.empty()) {
      svg += TextElement(tick.label.x + tick.label.width / 2, layout.axisY - 4, tick.text,
                         "class=\"tick\"");
    }
  }
  for (const Tick& tick : layout.secondTicks) {
    svg += "<line x1=\"" + Number(tick.x) + "\" y1=\"" + Number(layout.axisY - 30) + "\" x2=\"" +
           Number(tick.x) + "\" y2=\"" + Number(layout.axisY - 22) + "\" class=\"axis\"/>\n";
    svg += TextElement(tick.x + 2, layout.axisY - 21, tick.text, "class=\"second\"");
  }
  svg += TextElement(layout.plot.x - 8, layout.axisY - 4, "frame", "class=\"lane\"");
  svg += TextElement(layout.plot.x - 8, layout.axisY - 21, "seconds", "class=\"lane\"");
  if (layout.animationEndX) {
    svg += RectElement(layout.pastEnd, "class=\"past-end\"");
    svg += TextElement(layout.animationEndNote.x, layout.axisY + 14, "animation ends",
                       "class=\"note\"");
  }
  Flush(svg, out);
}

void WriteBands(const Layout& layout, std::string& svg, std::ostream* out) {
  for (std::size_t i = 0; i < layout.bandLanes.size(); ++i) {
    const Rect& lane = layout.bandLanes[i];
    svg += TextElement(layout.plot.x - 8, lane.y + 13,
                       std::string(BandKindName(static_cast<BandKind>(i))), "class=\"lane\"");
  }
  for (const PlacedBand& placed : layout.bands) {
    const Band& band = *placed.band;
    const std::string kind = "band-" + std::string(BandKindName(band.kind));
    svg += "<g class=\"band\" data-kind=\"" + XmlText(std::string(BandKindName(band.kind))) +
           "\" data-begin=\"" + std::to_string(band.begin) + "\" data-end=\"" +
           std::to_string(band.end) + "\">";
    svg += "<title>" +
           XmlText(ui::Latin1ToUtf8(band.label) + ": frames " + std::to_string(band.begin) +
                   " to " + std::to_string(band.end)) +
           "</title>\n";
    svg += RectElement(placed.box, "rx=\"3\" fill=\"" + ColourOf(kind) + "\"");
    const std::string label = ui::Latin1ToUtf8(band.label);
    if (TextWidth(label) + 6 <= placed.box.width) {
      svg += TextElement(placed.box.x + 3, placed.box.y + 11, label, "class=\"band-label\"");
    }
    svg += "</g>\n";
  }
  Flush(svg, out);
}

void WriteRows(const Layout& layout, std::string& svg, std::ostream* out) {
  for (std::size_t i = 0; i < layout.rows.size(); ++i) {
    const PlacedRow& placed = layout.rows[i];
    const TimelineRow& row = *placed.row;
    svg += RectElement(placed.box, i % 2 == 0 ? "class=\"row-even\"" : "class=\"row-odd\"");
    std::string classes = row.muted ? "row-title muted" : "row-title";
    if (!row.problems.empty()) {
      classes += " flagged";
    }
    std::string hover = ui::Latin1ToUtf8(row.title);
    if (row.muted) {
      hover += " (no page: not marked)";
    }
    for (const std::string_view problem : row.problems) {
      hover += '\n';
      hover += ui::Latin1ToUtf8(problem);
    }
    svg += "<g><title>";
    svg += XmlText(hover);
    svg += "</title>";
    svg += TextElement(8, placed.box.y + 17, placed.titleText, "class=\"" + classes + "\"");
    svg += "</g>\n";
    Flush(svg, out);
  }
}

void WriteEvent(const Layout& layout, const PlacedEvent& placed, std::string& svg,
                std::ostream* out) {
  const TimelineRow& row = *layout.rows[placed.row].row;
  const TimelineEvent& event = *placed.event;
  const bool flagged = !event.problems.empty();
  svg += "<g class=\"event" + std::string(row.muted ? " muted" : "") + "\" data-row=\"" +
         std::to_string(placed.row) + "\" data-index=\"" + std::to_string(event.index) +
         "\" data-frame=\"" + std::to_string(event.frame) + "\">";
  svg += "<title>" + XmlText(EventTitle(row, event)) + "</title>\n";
  const std::string colour = ColourOf(std::string(CategoryName(event.category)));
  svg += "<circle cx=\"" + Number(placed.x) + "\" cy=\"" + Number(placed.y) + "\" r=\"4\" fill=\"" +
         colour + "\"" +
         (flagged ? " stroke=\"" + ColourOf("problem") + "\" stroke-width=\"2\"" : "") + "/>\n";
  svg += RectElement(placed.label, "rx=\"2\" class=\"label\" stroke=\"" +
                                       (flagged ? ColourOf("problem") : colour) + "\"");
  svg += TextElement(placed.label.x + 2, placed.label.y + 11, placed.labelText,
                     flagged ? "class=\"label-text flagged\"" : "class=\"label-text\"");
  svg += "</g>\n";
  Flush(svg, out);
}

void WriteEvents(const Layout& layout, std::string& svg, std::ostream* out) {
  if (layout.eventsKept) {
    for (const PlacedEvent& placed : layout.events) {
      WriteEvent(layout, placed, svg, out);
    }
    return;
  }
  for (std::size_t row = 0; row < layout.rows.size(); ++row) {
    for (const PlacedEvent& placed : PlaceEventsOfRow(layout, row)) {
      WriteEvent(layout, placed, svg, out);
    }
  }
}

void WriteLegend(const Layout& layout, std::string& svg, std::ostream* out) {
  if (!layout.leftOutNote.empty()) {
    svg += TextElement(16, layout.leftOutNoteY, layout.leftOutNote, "class=\"note\"");
  }
  for (const LegendEntry& entry : layout.legend) {
    svg += RectElement(entry.swatch, "rx=\"2\" fill=\"" + ColourOf(entry.kind) + "\"");
    svg += TextElement(entry.textX, entry.swatch.y + 10, entry.text, "class=\"legend\"");
  }
  Flush(svg, out);
}

void WriteSvgTo(const Layout& layout, const std::string& title, std::string& svg,
                std::ostream* out) {
  svg += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Number(layout.width) +
         "\" height=\"" + Number(layout.height) + "\" viewBox=\"0 0 " + Number(layout.width) + " " +
         Number(layout.height) + "\">\n";
  svg +=
      "<style>\n"
      "text { font-family: 'DejaVu Sans Mono', monospace; font-size: 11px; fill: " +
      std::string(kTextColour) +
      "; }\n"
      ".heading { font-size: 13px; font-weight: bold; }\n"
      ".axis { stroke: " +
      std::string(kAxisColour) +
      "; stroke-width: 1; }\n"
      ".grid { stroke: " +
      std::string(kGridColour) +
      "; stroke-width: 1; }\n"
      ".tick, .second { fill: " +
      std::string(kAxisColour) +
      "; }\n"
      ".tick { text-anchor: middle; }\n"
      ".lane { text-anchor: end; fill: " +
      std::string(kLaneColour) +
      "; }\n"
      ".note { fill: " +
      std::string(kNoteColour) +
      "; font-style: italic; }\n"
      ".past-end { fill: " +
      std::string(kPastEndColour) +
      "; fill-opacity: 0.6; }\n"
      ".row-even { fill: " +
      std::string(kRowEvenColour) +
      "; }\n"
      ".row-odd { fill: " +
      std::string(kRowOddColour) +
      "; }\n"
      ".row-title.muted, .event.muted text { fill: " +
      std::string(kMutedColour) +
      "; }\n"
      ".event.muted { opacity: 0.55; }\n"
      ".flagged { fill: " +
      ColourOf("problem") +
      "; }\n"
      ".label { fill: #fff; stroke-width: 1; }\n"
      ".band-label { fill: " +
      std::string(kBandLabelColour) +
      "; }\n"
      "</style>\n";
  svg += RectElement({0, 0, layout.width, layout.height},
                     "fill=\"" + std::string(kBackgroundColour) + "\"");
  svg += TextElement(8, 18, title, "class=\"heading\"");
  WriteRows(layout, svg, out);
  WriteAxis(layout, svg, out);
  WriteBands(layout, svg, out);
  WriteEvents(layout, svg, out);
  WriteLegend(layout, svg, out);
  svg += "</svg>\n";
  Flush(svg, out, 0);
}

}  // namespace

std::string WriteSvg(const Layout& layout, const std::string& title) {
  std::string svg;
  WriteSvgTo(layout, title, svg, nullptr);
  return svg;
}

void WriteSvg(const Layout& layout, const std::string& title, std::ostream& out) {
  std::string svg;
  WriteSvgTo(layout, title, svg, &out);
}

}  // namespace quorvel::timeline
