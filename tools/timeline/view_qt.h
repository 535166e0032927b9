// The timeline's window, in the module of real windows: the picture in a view that
// zooms and scrolls along the time axis and keeps the head (axis and band lanes) and
// the row titles in place while the rest scrolls.
#pragma once

#include <QAbstractScrollArea>
#include <QPointF>
#include <functional>
#include <string>
#include <utility>

#include "tools/timeline/layout.h"

namespace quorvel::app {

// What a key does in the window.
enum class TimelineKey { kNone, kZoomIn, kZoomOut, kZoomAll, kClose };
// "+" (or "=") and "-" zoom, "0" shows everything; Escape, Ctrl+W and Q close.
TimelineKey TimelineKeyOf(int key, Qt::KeyboardModifiers modifiers);

class TimelineView : public QAbstractScrollArea {
 public:
  TimelineView(const timeline::Sequence& sequence, const timeline::View& view, std::string heading);

  // The point of the picture shown at `viewPoint` of the viewport: the head and the
  // title column stay put, so their points move along one axis only.
  QPointF PicturePointAt(QPointF viewPoint) const;
  const timeline::Layout& PictureLayout() const { return layout_; }
  double Zoom() const { return zoom_; }
  // Called once, from the event loop, after the window was first painted.
  void SetFirstPaintHandler(std::function<void()> handler) { onFirstPaint_ = std::move(handler); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  void Relayout();
  void UpdateScrollBars();
  // Zooms by `factor`, keeping the frame at viewport position `x` where it is.
  void ZoomAbout(double factor, double x);

  const timeline::Sequence& sequence_;
  timeline::View view_;
  std::string heading_;
  double zoom_ = 1.0;
  timeline::Layout layout_;
  bool painted_ = false;
  std::function<void()> onFirstPaint_;
};

}  // namespace quorvel::app
