#include "tools/quorvel/timeline_strip_qt.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "tools/timeline/painter_qt.h"

namespace quorvel::app {

TimelineStrip::TimelineStrip(const timeline::Sequence& sequence, std::string heading)
    : sequence_(sequence), heading_(std::move(heading)) {
  setFocusPolicy(Qt::NoFocus);
  Relayout(900);
}

void TimelineStrip::Relayout(int width) {
  layout_ = timeline::LayOut(sequence_, timeline::View{std::max(width, 400) * 1.0, {}, {}});
  setMinimumHeight(static_cast<int>(std::ceil(layout_.height)));
}

void TimelineStrip::SetFrame(std::int64_t frame) {
  if (frame != frame_) {
    frame_ = frame;
    update();
  }
}

std::int64_t TimelineStrip::FrameAt(double x) const {
  const double span = static_cast<double>(std::max<std::int64_t>(layout_.to - layout_.from, 1));
  const double share =
      std::clamp((x - layout_.plot.x) / std::max(layout_.plot.width, 1.0), 0.0, 1.0);
  return layout_.from + static_cast<std::int64_t>(std::lround(share * span));
}

void TimelineStrip::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), Qt::white);
  const QRect area = event->rect();
  PaintTimeline(
      layout_, heading_, painter,
      timeline::Rect{static_cast<double>(area.x()), static_cast<double>(area.y()),
                     static_cast<double>(area.width()), static_cast<double>(area.height())});
  if (frame_ >= layout_.from && frame_ <= layout_.to) {
    const double x = layout_.XOf(frame_);
    painter.setPen(QPen(QColor(220, 30, 30), 2));
    painter.drawLine(QPointF(x, layout_.plot.y), QPointF(x, layout_.plot.Bottom()));
  }
}

void TimelineStrip::resizeEvent(QResizeEvent*) {
  if (std::abs(layout_.width - width()) >= 1) {
    Relayout(width());
  }
}

void TimelineStrip::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && onJump) {
    onJump(FrameAt(event->position().x()));
  }
}

}  // namespace quorvel::app
