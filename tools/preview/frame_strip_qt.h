// The strip under the preview's view that shows the sequence along time: it moves
// its playhead to the frame shown and says which frame a click asks for. The
// command gives the window one (the timeline's picture, tools/quorvel/); the
// preview itself knows nothing of how it is drawn.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>

namespace quorvel::preview {

class FrameStrip : public QWidget {
 public:
  using QWidget::QWidget;
  // The frame now shown.
  virtual void SetFrame(std::int64_t frame) = 0;
  // Called with the frame the user clicked on.
  std::function<void(std::int64_t)> onJump;
};

}  // namespace quorvel::preview
