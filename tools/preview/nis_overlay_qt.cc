#include "tools/preview/nis_overlay_qt.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace quorvel::preview {
namespace {

QString Text(const std::string& utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

void SetFont(QPainter& painter, int pixelSize) {
  QFont font("DejaVu Sans");
  font.setPixelSize(std::max(pixelSize, 8));
  painter.setFont(font);
}

}  // namespace

void PaintNisOverlay(QPainter& painter, const QRect& area, const nis::NisState& state) {
  painter.save();
  const double fade = std::clamp(static_cast<double>(state.fade), 0.0, 1.0);
  if (fade > 0) {
    painter.fillRect(area, QColor(0, 0, 0, static_cast<int>(std::lround(fade * 255))));
  }
  const double wide = std::clamp(static_cast<double>(state.wideScreen), 0.0, 1.0);
  const int bar = static_cast<int>(std::lround(wide * kWideScreenBar * area.height()));
  if (bar > 0) {
    painter.fillRect(QRect(area.left(), area.top(), area.width(), bar), Qt::black);
    painter.fillRect(QRect(area.left(), area.bottom() + 1 - bar, area.width(), bar), Qt::black);
  }
  if (!state.texts.empty()) {
    SetFont(painter, area.height() / 22);
    const QFontMetrics metrics(painter.font());
    const int lineHeight = metrics.height() + 4;
    int y = area.bottom() - std::max(bar, area.height() / 20) - 6;
    for (auto text = state.texts.rbegin(); text != state.texts.rend() && y > area.top();
         ++text, y -= lineHeight) {
      const QString shown = metrics.elidedText(Text(text->text), Qt::ElideRight, area.width() - 16);
      const QRect box(area.left(), y - lineHeight, area.width(), lineHeight);
      painter.setPen(QColor(0, 0, 0, 200));
      painter.drawText(box.translated(1, 1), Qt::AlignHCenter | Qt::AlignBottom, shown);
      painter.setPen(Qt::white);
      painter.drawText(box, Qt::AlignHCenter | Qt::AlignBottom, shown);
    }
  }
  painter.restore();
}

void PaintCornerCaption(QPainter& painter, const QRect& area, const std::string& caption) {
  painter.save();
  SetFont(painter, 13);
  const QFontMetrics metrics(painter.font());
  const QString text = Text(caption);
  const QRect box(area.left() + 6, area.top() + 6, metrics.horizontalAdvance(text) + 12,
                  metrics.height() + 6);
  painter.fillRect(box, QColor(0, 0, 0, 150));
  painter.setPen(QColor(240, 240, 240));
  painter.drawText(box, Qt::AlignCenter, text);
  painter.restore();
}

void PaintTicker(QPainter& painter, const QRect& area, const std::vector<std::string>& lines) {
  if (lines.empty()) {
    return;
  }
  painter.save();
  SetFont(painter, 12);
  const QFontMetrics metrics(painter.font());
  const int lineHeight = metrics.height() + 2;
  const std::size_t first = lines.size() > 6 ? lines.size() - 6 : 0;
  int y = area.top() + 6;
  for (std::size_t i = first; i < lines.size(); ++i, y += lineHeight) {
    const QString text = metrics.elidedText(Text(lines[i]), Qt::ElideRight, area.width() / 2);
    const int width = metrics.horizontalAdvance(text) + 10;
    const QRect box(area.right() - 6 - width, y, width, lineHeight);
    painter.fillRect(box, QColor(0, 0, 0, 150));
    painter.setPen(QColor(255, 230, 150));
    painter.drawText(box, Qt::AlignCenter, text);
  }
  painter.restore();
}

}  // namespace quorvel::preview
