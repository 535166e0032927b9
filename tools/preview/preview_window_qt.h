// The preview's window: the view through the live camera (or the free orbit view),
// a scrub bar in frames with the time beside it, and the sequence's strip under
// them. Keys: Space plays and pauses, Left and Right step a frame, Home and End go
// to the first and last frame, C switches between the live camera and the orbit
// view (drag to turn, wheel to zoom), Escape closes.
#pragma once

#include <QElapsedTimer>
#include <QOpenGLWidget>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tools/preview/camera_guides.h"
#include "tools/preview/frame_strip_qt.h"
#include "tools/preview/orbit_view.h"
#include "tools/preview/preview_frame.h"

class QLabel;
class QSlider;

namespace quorvel::preview {

class SceneRenderer;

// What a key does in the window.
enum class PreviewKey { kNone, kPlayPause, kBack, kForward, kFirst, kLast, kOrbit, kClose };
PreviewKey PreviewKeyOf(int key);

// The drawing area: the frame through its camera, or the orbit view with the
// cameras' frustums and paths; the overlays, the corner caption and the ticker of
// the other events (what fired in the last second) over it.
class PreviewView : public QOpenGLWidget {
 public:
  PreviewView(const FrameMaker& maker, std::string modelFolder, QWidget* parent = nullptr);
  ~PreviewView() override;

  void SetFrame(std::int64_t frame);
  void ToggleOrbit();
  bool Orbiting() const { return orbit_.has_value(); }
  const PreviewFrame& Frame() const { return frame_; }
  // How many times the view was drawn, for measuring.
  std::int64_t FramesDrawn() const { return drawn_; }
  // What the ticker shows: each event that fired in the last second, with its frame.
  const std::vector<std::pair<std::int64_t, std::string>>& Ticker() const { return ticker_; }
  // Why the view draws nothing (its shaders did not build), or empty.
  const std::string& Failure() const { return failure_; }

 protected:
  void initializeGL() override;
  void paintGL() override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  // The ticker: what fired in the second up to the frame shown, with its frame.
  void UpdateTicker(std::int64_t frame);

  const FrameMaker& maker_;
  std::string modelFolder_;
  std::vector<std::pair<std::int64_t, std::string>> ticker_;
  std::int64_t tickerFrame_ = -1;
  std::unique_ptr<SceneRenderer> renderer_;
  PreviewFrame frame_;
  std::optional<OrbitView> orbit_;
  std::vector<CameraJoint> cameras_;
  std::vector<GuideLine> paths_;  // made when the orbit view is first shown
  bool pathsMade_ = false;
  QPoint lastDrag_;
  std::int64_t drawn_ = 0;
  std::string failure_;
};

class PreviewWindow : public QWidget {
 public:
  // `strip` may be null; the window takes it.
  PreviewWindow(const FrameMaker& maker, std::string modelFolder, FrameStrip* strip,
                std::int64_t firstFrame = 0);

  // Shows `frame` (kept within the sequence); while playing, play goes on from there.
  void GoTo(std::int64_t frame);
  void PlayPause();
  bool Playing() const { return timer_.isActive(); }
  std::int64_t CurrentFrame() const { return frame_; }
  PreviewView& View() { return *view_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Tick();
  void Show(std::int64_t frame);

  const FrameMaker& maker_;
  PreviewView* view_;
  QSlider* slider_;
  QLabel* position_;
  FrameStrip* strip_;
  std::int64_t frame_ = -1;
  QTimer timer_;
  QElapsedTimer clock_;
  std::int64_t playedFrom_ = 0;
};

}  // namespace quorvel::preview
