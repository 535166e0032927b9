#include "tools/timeline/view_qt.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "tools/timeline/painter_qt.h"

namespace quorvel::app {
namespace {

constexpr double kMinZoom = 1.0;
constexpr double kMaxZoom = 200.0;

}  // namespace

TimelineKey TimelineKeyOf(int key, Qt::KeyboardModifiers modifiers) {
  const bool control = (modifiers & Qt::ControlModifier) != 0;
  switch (key) {
    case Qt::Key_Escape:
      return TimelineKey::kClose;
    case Qt::Key_W:
      return control ? TimelineKey::kClose : TimelineKey::kNone;
    case Qt::Key_Q:
      return TimelineKey::kClose;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
      return TimelineKey::kZoomIn;
    case Qt::Key_Minus:
      return TimelineKey::kZoomOut;
    case Qt::Key_0:
      return TimelineKey::kZoomAll;
    default:
      return TimelineKey::kNone;
  }
}

TimelineView::TimelineView(const timeline::Sequence& sequence, const timeline::View& view,
                           std::string heading)
    : sequence_(sequence), view_(view), heading_(std::move(heading)) {
  viewport()->setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  horizontalScrollBar()->setSingleStep(40);
  verticalScrollBar()->setSingleStep(34);
  Relayout();
}

QPointF TimelineView::PicturePointAt(QPointF viewPoint) const {
  const double x = viewPoint.x() < timeline::TitleColumnWidth(layout_)
                       ? viewPoint.x()
                       : viewPoint.x() + horizontalScrollBar()->value();
  const double y = viewPoint.y() < timeline::HeadHeight(layout_)
                       ? viewPoint.y()
                       : viewPoint.y() + verticalScrollBar()->value();
  return {x, y};
}

void TimelineView::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  const QPointF scroll(horizontalScrollBar()->value(), verticalScrollBar()->value());
  const QSizeF size = viewport()->size();
  painter.save();
  painter.translate(-scroll);
  PaintTimeline(layout_, heading_, painter,
                timeline::Rect{scroll.x(), scroll.y(), size.width(), size.height()});
  painter.restore();
  PaintFrozenParts(layout_, heading_, painter, scroll, size);
  if (!painted_) {
    painted_ = true;
    if (onFirstPaint_) {
      QTimer::singleShot(0, this, onFirstPaint_);
    }
  }
}

void TimelineView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
}

void TimelineView::scrollContentsBy(int, int) {
  viewport()->update();
}

void TimelineView::mouseMoveEvent(QMouseEvent* event) {
  const QPointF at = PicturePointAt(event->position());
  const std::string text = TimelineHoverText(layout_, at.x(), at.y());
  if (text.empty()) {
    QToolTip::hideText();
  } else {
    QToolTip::showText(event->globalPosition().toPoint(), QString::fromStdString(text), this);
  }
}

void TimelineView::wheelEvent(QWheelEvent* event) {
  if (!(event->modifiers() & Qt::ControlModifier)) {
    QAbstractScrollArea::wheelEvent(event);
    return;
  }
  ZoomAbout(event->angleDelta().y() > 0 ? 1.25 : 0.8, event->position().x());
  event->accept();
}

void TimelineView::keyPressEvent(QKeyEvent* event) {
  const double centre = viewport()->width() / 2.0;
  switch (TimelineKeyOf(event->key(), event->modifiers())) {
    case TimelineKey::kZoomIn:
      ZoomAbout(1.25, centre);
      break;
    case TimelineKey::kZoomOut:
      ZoomAbout(0.8, centre);
      break;
    case TimelineKey::kZoomAll:
      ZoomAbout(kMinZoom / zoom_, centre);
      break;
    case TimelineKey::kClose:
      close();
      break;
    case TimelineKey::kNone:
      QAbstractScrollArea::keyPressEvent(event);
  }
}

// The window takes the keyboard as soon as it is shown: no click needed.
void TimelineView::showEvent(QShowEvent* event) {
  QAbstractScrollArea::showEvent(event);
  activateWindow();
  raise();
  setFocus(Qt::ActiveWindowFocusReason);
}

void TimelineView::Relayout() {
  timeline::View view = view_;
  view.width = view_.width * zoom_;
  layout_ = timeline::LayOut(sequence_, view);
  UpdateScrollBars();
  viewport()->update();
}

void TimelineView::UpdateScrollBars() {
  const QSize size = viewport()->size();
  horizontalScrollBar()->setRange(
      0, std::max(0, static_cast<int>(std::ceil(layout_.width)) - size.width()));
  horizontalScrollBar()->setPageStep(size.width());
  verticalScrollBar()->setRange(
      0, std::max(0, static_cast<int>(std::ceil(layout_.height)) - size.height()));
  verticalScrollBar()->setPageStep(size.height());
}

void TimelineView::ZoomAbout(double factor, double x) {
  const double zoom = std::clamp(zoom_ * factor, kMinZoom, kMaxZoom);
  if (zoom == zoom_) {
    return;
  }
  const double pictureX = x + horizontalScrollBar()->value();
  const double share = (pictureX - layout_.plot.x) / std::max(layout_.plot.width, 1.0);
  zoom_ = zoom;
  Relayout();
  const double newX = layout_.plot.x + share * layout_.plot.width;
  horizontalScrollBar()->setValue(static_cast<int>(newX - x));
}

}  // namespace quorvel::app
