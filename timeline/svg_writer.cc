#include "timeline/svg_writer.h"

#include <cstdio>
#include <map>

#include "ui/framework/latin1.h"

namespace quorvel::timeline {
namespace {

// Text made fit for XML: markup characters escaped, and the characters that XML 1.0
// does not allow (control characters, U+FFFE and U+FFFF) shown as U+FFFD. Text that
// is no UTF-8 is taken byte by byte, as the system's 8-bit texts are.
std::string Escaped(const std::string& given) {
  const std::string utf8 = ui::ShownText(given);
  std::string text;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const char c = utf8[i];
    // U+FFFE and U+FFFF: EF BF BE and EF BF BF.
    if (utf8.compare(i, 2, "\xEF\xBF") == 0 && i + 2 < utf8.size() &&
        (utf8[i + 2] == '\xBE' || utf8[i + 2] == '\xBF')) {
      text += "\xEF\xBF\xBD";
      i += 2;
      continue;
    }
    switch (c) {
      case '&':
        text += "&amp;";
        break;
      case '<':
        text += "&lt;";
        break;
      case '>':
        text += "&gt;";
        break;
      case '"':
        text += "&quot;";
        break;
      case '\n':
      case '\t':
        text += c;
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          text += "\xEF\xBF\xBD";
        } else {
          text += c;
        }
    }
  }
  return text;
}

std::string Number(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.1f", value);
  return buffer;
}

std::string RectElement(const Rect& box, const std::string& attributes) {
  return "<rect x=\"" + Number(box.x) + "\" y=\"" + Number(box.y) + "\" width=\"" +
         Number(box.width) + "\" height=\"" + Number(box.height) + "\" " + attributes + "/>\n";
}

std::string TextElement(double x, double y, const std::string& utf8,
                        const std::string& attributes) {
  return "<text x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" " + attributes + ">" +
         Escaped(utf8) + "</text>\n";
}

std::string EventTitle(const TimelineRow& row, const TimelineEvent& event) {
  std::string title = row.title + ": Event" + std::to_string(event.index) + " = " + event.text;
  for (const std::string& problem : event.problems) {
    title += "\n" + problem;
  }
  return ui::Latin1ToUtf8(title);
}

void WriteAxis(const Layout& layout, std::string& svg) {
  const std::string y = Number(layout.axisY);
  svg += "<line x1=\"" + Number(layout.plot.x) + "\" y1=\"" + y + "\" x2=\"" +
         Number(layout.plot.Right()) + "\" y2=\"" + y + "\" class=\"axis\"/>\n";
  for (const Tick& tick : layout.frameTicks) {
    svg += "<line x1=\"" + Number(tick.x) + "\" y1=\"" + y + "\" x2=\"" + Number(tick.x) +
           "\" y2=\"" + Number(layout.plot.Bottom()) + "\" class=\"grid\"/>\n";
    svg += TextElement(tick.x, layout.axisY - 4, tick.text, "class=\"tick\"");
  }
  for (const Tick& tick : layout.secondTicks) {
    svg += "<line x1=\"" + Number(tick.x) + "\" y1=\"" + Number(layout.axisY - 30) + "\" x2=\"" +
           Number(tick.x) + "\" y2=\"" + Number(layout.axisY - 22) + "\" class=\"axis\"/>\n";
    svg += TextElement(tick.x + 2, layout.axisY - 21, tick.text, "class=\"second\"");
  }
  svg += TextElement(layout.plot.x - 8, layout.axisY - 4, "frame", "class=\"lane\"");
  svg += TextElement(layout.plot.x - 8, layout.axisY - 21, "seconds", "class=\"lane\"");
  if (layout.animationEndX) {
    svg += RectElement({*layout.animationEndX, layout.plot.y,
                        layout.plot.Right() - *layout.animationEndX, layout.plot.height},
                       "class=\"past-end\"");
    svg += TextElement(*layout.animationEndX + 3, layout.axisY + 14, "animation ends",
                       "class=\"note\"");
  }
}

void WriteBands(const Layout& layout, std::string& svg) {
  for (std::size_t i = 0; i < layout.bandLanes.size(); ++i) {
    const Rect& lane = layout.bandLanes[i];
    svg += TextElement(layout.plot.x - 8, lane.y + 13,
                       std::string(BandKindName(static_cast<BandKind>(i))), "class=\"lane\"");
  }
  for (const PlacedBand& placed : layout.bands) {
    const Band& band = *placed.band;
    const std::string kind = "band-" + std::string(BandKindName(band.kind));
    svg += "<g class=\"band\" data-kind=\"" + Escaped(std::string(BandKindName(band.kind))) +
           "\" data-begin=\"" + std::to_string(band.begin) + "\" data-end=\"" +
           std::to_string(band.end) + "\">";
    svg += "<title>" +
           Escaped(ui::Latin1ToUtf8(band.label) + ": frames " + std::to_string(band.begin) +
                   " to " + std::to_string(band.end)) +
           "</title>\n";
    svg += RectElement(placed.box, "rx=\"3\" fill=\"" + ColourOf(kind) + "\"");
    const std::string label = ui::Latin1ToUtf8(band.label);
    if (TextWidth(label) + 6 <= placed.box.width) {
      svg += TextElement(placed.box.x + 3, placed.box.y + 11, label, "class=\"band-label\"");
    }
    svg += "</g>\n";
  }
}

void WriteRows(const Layout& layout, std::string& svg) {
  for (std::size_t i = 0; i < layout.rows.size(); ++i) {
    const PlacedRow& placed = layout.rows[i];
    const TimelineRow& row = *placed.row;
    svg += RectElement(placed.box, i % 2 == 0 ? "class=\"row-even\"" : "class=\"row-odd\"");
    std::string title = ui::Latin1ToUtf8(row.title);
    std::string classes = row.muted ? "row-title muted" : "row-title";
    if (!row.problems.empty()) {
      title = "! " + title;
      classes += " flagged";
    }
    std::string hover = ui::Latin1ToUtf8(row.title);
    if (row.muted) {
      hover += " (no page: not marked)";
    }
    for (const std::string& problem : row.problems) {
      hover += '\n';
      hover += ui::Latin1ToUtf8(problem);
    }
    svg += "<g><title>";
    svg += Escaped(hover);
    svg += "</title>";
    svg += TextElement(8, placed.box.y + 17, title, "class=\"" + classes + "\"");
    svg += "</g>\n";
  }
}

void WriteEvents(const Layout& layout, std::string& svg) {
  for (const PlacedEvent& placed : layout.events) {
    const TimelineRow& row = *layout.rows[placed.row].row;
    const TimelineEvent& event = *placed.event;
    const bool flagged = !event.problems.empty();
    svg += "<g class=\"event" + std::string(row.muted ? " muted" : "") + "\" data-row=\"" +
           std::to_string(placed.row) + "\" data-index=\"" + std::to_string(event.index) +
           "\" data-frame=\"" + std::to_string(event.frame) + "\">";
    svg += "<title>" + Escaped(EventTitle(row, event)) + "</title>\n";
    const std::string colour = ColourOf(std::string(CategoryName(event.category)));
    svg += "<circle cx=\"" + Number(placed.x) + "\" cy=\"" + Number(placed.y) +
           "\" r=\"4\" fill=\"" + colour + "\"" +
           (flagged ? " stroke=\"" + ColourOf("problem") + "\" stroke-width=\"2\"" : "") + "/>\n";
    svg += RectElement(placed.label, "rx=\"2\" class=\"label\" stroke=\"" +
                                         (flagged ? ColourOf("problem") : colour) + "\"");
    svg += TextElement(placed.label.x + 2, placed.label.y + 11, placed.labelText,
                       flagged ? "class=\"label-text flagged\"" : "class=\"label-text\"");
    svg += "</g>\n";
  }
}

void WriteLegend(const Layout& layout, std::string& svg) {
  for (const LegendEntry& entry : layout.legend) {
    svg += RectElement(entry.swatch, "rx=\"2\" fill=\"" + ColourOf(entry.kind) + "\"");
    svg += TextElement(entry.textX, entry.swatch.y + 10, entry.text, "class=\"legend\"");
  }
}

}  // namespace

std::string ColourOf(const std::string& kind) {
  static const std::map<std::string, std::string> colours = {
      {"camera", "#1f77b4"},      {"screen", "#9467bd"},
      {"sound", "#2ca02c"},       {"ship", "#ff7f0e"},
      {"effect", "#8c564b"},      {"unknown", "#7f7f7f"},
      {"band-camera", "#c6dbef"}, {"band-wide screen", "#dadaeb"},
      {"band-fade", "#d9d9d9"},   {"problem", "#d62728"},
      {"muted", "#bbbbbb"},
  };
  const auto found = colours.find(kind);
  return found == colours.end() ? "#7f7f7f" : found->second;
}

std::string WriteSvg(const Layout& layout, const std::string& title) {
  std::string svg;
  svg += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Number(layout.width) +
         "\" height=\"" + Number(layout.height) + "\" viewBox=\"0 0 " + Number(layout.width) + " " +
         Number(layout.height) + "\">\n";
  svg +=
      "<style>\n"
      "text { font-family: 'DejaVu Sans Mono', monospace; font-size: 11px; fill: #222; }\n"
      ".heading { font-size: 13px; font-weight: bold; }\n"
      ".axis { stroke: #444; stroke-width: 1; }\n"
      ".grid { stroke: #e4e4e4; stroke-width: 1; }\n"
      ".tick, .second { fill: #444; }\n"
      ".tick { text-anchor: middle; }\n"
      ".lane { text-anchor: end; fill: #666; }\n"
      ".note { fill: #888; font-style: italic; }\n"
      ".past-end { fill: #f4f0e8; fill-opacity: 0.6; }\n"
      ".row-even { fill: #fbfbfb; }\n"
      ".row-odd { fill: #f2f4f7; }\n"
      ".row-title.muted, .event.muted text { fill: #999; }\n"
      ".event.muted { opacity: 0.55; }\n"
      ".flagged { fill: #d62728; }\n"
      ".label { fill: #fff; stroke-width: 1; }\n"
      ".band-label { fill: #123; }\n"
      "</style>\n";
  svg += RectElement({0, 0, layout.width, layout.height}, "fill=\"#ffffff\"");
  svg += TextElement(8, 18, title, "class=\"heading\"");
  WriteRows(layout, svg);
  WriteAxis(layout, svg);
  WriteBands(layout, svg);
  WriteEvents(layout, svg);
  WriteLegend(layout, svg);
  svg += "</svg>\n";
  return svg;
}

}  // namespace quorvel::timeline
