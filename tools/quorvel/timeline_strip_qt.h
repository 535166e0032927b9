// The preview window's strip: the sequence's timeline, drawn as the timeline's
// window draws it, across the strip's width, with a playhead at the frame shown; a
// click on it jumps to the frame under the pointer.
#pragma once

#include <string>

#include "tools/preview/frame_strip_qt.h"
#include "tools/timeline/layout.h"

namespace quorvel::app {

class TimelineStrip : public preview::FrameStrip {
 public:
  // `sequence` must outlive the strip.
  TimelineStrip(const timeline::Sequence& sequence, std::string heading);

  void SetFrame(std::int64_t frame) override;
  // The frame at `x` (the strip's coordinates), within the axis's frames.
  std::int64_t FrameAt(double x) const;
  const timeline::Layout& StripLayout() const { return layout_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void Relayout(int width);

  const timeline::Sequence& sequence_;
  std::string heading_;
  timeline::Layout layout_;
  std::int64_t frame_ = 0;
};

}  // namespace quorvel::app
