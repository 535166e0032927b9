#include "tools/timeline/painter_qt.h"

#include <QFont>
#include <QPainter>
#include <QString>

#include "framework/core/latin1.h"
#include "tools/timeline/colours.h"
#include "tools/timeline/svg_writer.h"

namespace quorvel::app {
namespace {

using timeline::Rect;

QRectF ToQt(const Rect& box) {
  return QRectF(box.x, box.y, box.width, box.height);
}
QColor Shade(std::string_view colour) {
  return QColor(QString::fromLatin1(colour.data(), static_cast<qsizetype>(colour.size())));
}
QColor Colour(const std::string& kind) {
  return Shade(timeline::ColourOf(kind));
}
// The time past the end, seen through (as the SVG's fill-opacity shows it).
QColor PastEnd() {
  QColor colour = Shade(timeline::kPastEndColour);
  colour.setAlpha(150);
  return colour;
}
QString Text(const std::string& utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QFont PictureFont(bool bold = false) {
  QFont font("DejaVu Sans Mono");
  font.setStyleHint(QFont::Monospace);
  font.setPixelSize(static_cast<int>(timeline::kFontSize));
  font.setBold(bold);
  return font;
}

// "frame", "seconds" and the band lanes' names, right-aligned left of the plot.
void PaintAxisTitles(const timeline::Layout& layout, QPainter& painter) {
  const QFontMetricsF metrics(painter.font());
  painter.setPen(Shade(timeline::kLaneColour));
  const auto rightAligned = [&](double y, const QString& text) {
    painter.drawText(QPointF(layout.plot.x - 8 - metrics.horizontalAdvance(text), y), text);
  };
  rightAligned(layout.axisY - 4, "frame");
  rightAligned(layout.axisY - 21, "seconds");
  for (std::size_t i = 0; i < layout.bandLanes.size(); ++i) {
    rightAligned(layout.bandLanes[i].y + 13,
                 Text(std::string(timeline::BandKindName(static_cast<timeline::BandKind>(i)))));
  }
}

void PaintAxis(const timeline::Layout& layout, QPainter& painter) {
  painter.setPen(Shade(timeline::kGridColour));
  for (const timeline::Tick& tick : layout.frameTicks) {
    painter.drawLine(QPointF(tick.x, layout.axisY), QPointF(tick.x, layout.plot.Bottom()));
  }
  if (layout.animationEndX) {
    painter.fillRect(ToQt(layout.pastEnd), PastEnd());
    painter.setPen(Shade(timeline::kNoteColour));
    painter.drawText(QPointF(layout.animationEndNote.x, layout.axisY + 14), "animation ends");
  }
  painter.setPen(Shade(timeline::kAxisColour));
  painter.drawLine(QPointF(layout.plot.x, layout.axisY),
                   QPointF(layout.plot.Right(), layout.axisY));
  const QFontMetricsF metrics(painter.font());
  for (const timeline::Tick& tick : layout.frameTicks) {
    const QString text = Text(tick.text);
    const double centre = tick.label.x + tick.label.width / 2;
    painter.drawText(QPointF(centre - metrics.horizontalAdvance(text) / 2, layout.axisY - 4), text);
  }
  for (const timeline::Tick& tick : layout.secondTicks) {
    painter.drawLine(QPointF(tick.x, layout.axisY - 30), QPointF(tick.x, layout.axisY - 22));
    painter.drawText(QPointF(tick.x + 2, layout.axisY - 21), Text(tick.text));
  }
  PaintAxisTitles(layout, painter);
}

void PaintRows(const timeline::Layout& layout, const timeline::InViewRange& range,
               QPainter& painter) {
  for (std::size_t i = range.rowBegin; i < range.rowEnd; ++i) {
    const timeline::PlacedRow& placed = layout.rows[i];
    painter.fillRect(ToQt(placed.box),
                     i % 2 == 0 ? Shade(timeline::kRowEvenColour) : Shade(timeline::kRowOddColour));
    QColor colour = Shade(timeline::kTextColour);
    if (placed.row->muted) {
      colour = Shade(timeline::kMutedColour);
    }
    if (!placed.row->problems.empty()) {
      colour = Colour("problem");
    }
    painter.setPen(colour);
    painter.drawText(QPointF(8, placed.box.y + 17), Text(placed.titleText));
  }
}

void PaintBands(const timeline::Layout& layout, QPainter& painter) {
  for (const timeline::PlacedBand& placed : layout.bands) {
    const std::string kind = "band-" + std::string(timeline::BandKindName(placed.band->kind));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Colour(kind));
    painter.drawRoundedRect(ToQt(placed.box), 3, 3);
    const std::string label = ui::Latin1ToUtf8(placed.band->label);
    if (timeline::TextWidth(label) + 6 <= placed.box.width) {
      painter.setPen(Shade(timeline::kBandLabelColour));
      painter.drawText(QPointF(placed.box.x + 3, placed.box.y + 11), Text(label));
    }
  }
}

void PaintEvents(const timeline::Layout& layout, const timeline::InViewRange& range,
                 const Rect& visible, QPainter& painter) {
  for (std::size_t i = range.eventBegin; i < range.eventEnd; ++i) {
    const timeline::PlacedEvent& placed = layout.events[i];
    const Rect marker{placed.x - 5, placed.y - 5, 10, 10};
    if (!placed.label.Overlaps(visible) && !marker.Overlaps(visible)) {
      continue;
    }
    const bool muted = layout.rows[placed.row].row->muted;
    const bool flagged = !placed.event->problems.empty();
    const QColor colour = Colour(std::string(timeline::CategoryName(placed.event->category)));
    painter.setOpacity(muted ? 0.55 : 1.0);
    painter.setPen(flagged ? QPen(Colour("problem"), 2) : Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(QPointF(placed.x, placed.y), 4, 4);
    painter.setPen(QPen(flagged ? Colour("problem") : colour, 1));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(ToQt(placed.label), 2, 2);
    painter.setPen(flagged
                       ? Colour("problem")
                       : (muted ? Shade(timeline::kMutedColour) : Shade(timeline::kTextColour)));
    painter.drawText(QPointF(placed.label.x + 2, placed.label.y + 11), Text(placed.labelText));
  }
  painter.setOpacity(1.0);
}

void PaintLegend(const timeline::Layout& layout, QPainter& painter) {
  if (!layout.leftOutNote.empty()) {
    painter.setPen(Shade(timeline::kNoteColour));
    painter.drawText(QPointF(16, layout.leftOutNoteY), Text(layout.leftOutNote));
  }
  for (const timeline::LegendEntry& entry : layout.legend) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(Colour(entry.kind));
    painter.drawRoundedRect(ToQt(entry.swatch), 2, 2);
    painter.setPen(Shade(timeline::kTextColour));
    painter.drawText(QPointF(entry.textX, entry.swatch.y + 10), Text(entry.text));
  }
}

}  // namespace

void PaintTimeline(const timeline::Layout& layout, const std::string& heading, QPainter& painter,
                   const std::optional<Rect>& visible) {
  const Rect all{0, 0, layout.width, layout.height};
  const Rect view = visible.value_or(all);
  const timeline::InViewRange range = timeline::InView(layout, view);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.fillRect(ToQt(view), Qt::white);
  painter.setFont(PictureFont(true));
  painter.setPen(Shade(timeline::kTextColour));
  painter.drawText(QPointF(8, 18), Text(heading));
  painter.setFont(PictureFont());
  PaintRows(layout, range, painter);
  PaintAxis(layout, painter);
  PaintBands(layout, painter);
  PaintEvents(layout, range, view, painter);
  PaintLegend(layout, painter);
}

void PaintFrozenParts(const timeline::Layout& layout, const std::string& heading, QPainter& painter,
                      QPointF scroll, QSizeF viewSize) {
  const double head = timeline::HeadHeight(layout);
  const double column = timeline::TitleColumnWidth(layout);
  // The head, scrolled only along the time axis; its grid lines and shading end there.
  painter.save();
  painter.setClipRect(QRectF(0, 0, viewSize.width(), head));
  painter.translate(-scroll.x(), 0);
  painter.fillRect(QRectF(scroll.x(), 0, viewSize.width(), head), Qt::white);
  painter.setFont(PictureFont());
  PaintAxis(layout, painter);
  PaintBands(layout, painter);
  painter.restore();
  // The titles of the rows in view, scrolled only up and down.
  painter.save();
  painter.setClipRect(QRectF(0, head, column, viewSize.height() - head));
  painter.translate(0, -scroll.y());
  const Rect view{0, scroll.y() + head, column, viewSize.height() - head};
  painter.fillRect(ToQt(view), Qt::white);
  painter.setFont(PictureFont());
  PaintRows(layout, timeline::InView(layout, view), painter);
  painter.restore();
  // The corner: heading, axis titles and lane titles, which never move.
  painter.save();
  painter.setClipRect(QRectF(0, 0, column, head));
  painter.fillRect(QRectF(0, 0, column, head), Qt::white);
  painter.setFont(PictureFont(true));
  painter.setPen(Shade(timeline::kTextColour));
  painter.drawText(QPointF(8, 18), Text(heading));
  painter.setFont(PictureFont());
  PaintAxisTitles(layout, painter);
  painter.restore();
}

std::string TimelineHoverText(const timeline::Layout& layout, double x, double y) {
  for (const timeline::PlacedEvent& placed : layout.events) {
    const Rect marker{placed.x - 5, placed.y - 5, 10, 10};
    if (marker.Contains(x, y) || placed.label.Contains(x, y)) {
      const timeline::TimelineRow& row = *layout.rows[placed.row].row;
      std::string text =
          row.title + ": Event" + std::to_string(placed.event->index) + " = " + placed.event->text;
      for (const std::string_view problem : placed.event->problems) {
        text += '\n';
        text += problem;
      }
      return ui::Latin1ToUtf8(text);
    }
  }
  for (const timeline::PlacedBand& placed : layout.bands) {
    if (placed.box.Contains(x, y)) {
      return ui::Latin1ToUtf8(placed.band->label) + ": frames " +
             std::to_string(placed.band->begin) + " to " + std::to_string(placed.band->end);
    }
  }
  for (const timeline::PlacedRow& placed : layout.rows) {
    if (x < layout.plot.x && placed.box.Contains(x, y)) {
      std::string text = placed.row->title + (placed.row->muted ? " (no page: not marked)" : "");
      for (const std::string_view problem : placed.row->problems) {
        text += '\n';
        text += problem;
      }
      return ui::Latin1ToUtf8(text);
    }
  }
  return {};
}

}  // namespace quorvel::app
