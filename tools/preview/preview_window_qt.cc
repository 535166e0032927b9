#include "tools/preview/preview_window_qt.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QSlider>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "tools/preview/nis_overlay_qt.h"
#include "tools/preview/scene_renderer_qt.h"

namespace quorvel::preview {
namespace {

// The orbit view draws each camera's path through this many points at most.
constexpr std::int64_t kPathPoints = 400;

// The size of a camera's frustum: a twentieth of how far the orbit view stands.
float FrustumSize(const CameraView& view) {
  const float dx = view.eye.x - view.target.x;
  const float dy = view.eye.y - view.target.y;
  const float dz = view.eye.z - view.target.z;
  return std::max(std::sqrt(dx * dx + dy * dy + dz * dz) / 20, 1e-3f);
}

}  // namespace

PreviewKey PreviewKeyOf(int key) {
  switch (key) {
    case Qt::Key_Space:
      return PreviewKey::kPlayPause;
    case Qt::Key_Left:
      return PreviewKey::kBack;
    case Qt::Key_Right:
      return PreviewKey::kForward;
    case Qt::Key_Home:
      return PreviewKey::kFirst;
    case Qt::Key_End:
      return PreviewKey::kLast;
    case Qt::Key_C:
      return PreviewKey::kOrbit;
    case Qt::Key_Escape:
      return PreviewKey::kClose;
    default:
      return PreviewKey::kNone;
  }
}

PreviewView::PreviewView(const FrameMaker& maker, std::string modelFolder, QWidget* parent)
    : QOpenGLWidget(parent),
      maker_(maker),
      modelFolder_(std::move(modelFolder)),
      cameras_(CameraJoints(maker.Scene(), maker.Timeline())) {
  setFocusPolicy(Qt::NoFocus);
  setMinimumSize(320, 180);
  maker_.Make(0, frame_);
}

PreviewView::~PreviewView() {
  makeCurrent();
  renderer_.reset();
  doneCurrent();
}

void PreviewView::SetFrame(std::int64_t frame) {
  maker_.Make(frame, frame_);
  UpdateTicker(frame);
  update();
}

// Frames passed over while playing are read for what fired; a jump starts afresh.
void PreviewView::UpdateTicker(std::int64_t frame) {
  const std::int64_t second = maker_.FrameRate();
  if (frame <= tickerFrame_ || frame - tickerFrame_ > second) {
    ticker_.clear();
    tickerFrame_ = frame - 1;
  }
  for (std::int64_t passed = tickerFrame_ + 1; passed < frame; ++passed) {
    for (std::string& text : maker_.Timeline().At(passed).firing) {
      ticker_.emplace_back(passed, std::move(text));
    }
  }
  for (const std::string& text : frame_.state.firing) {
    ticker_.emplace_back(frame, text);
  }
  std::erase_if(ticker_, [&](const auto& entry) { return entry.first <= frame - second; });
  tickerFrame_ = frame;
}

void PreviewView::ToggleOrbit() {
  if (orbit_) {
    orbit_.reset();
  } else {
    orbit_.emplace(FreeView(maker_.Scene(), frame_.pose));
    if (!pathsMade_) {
      paths_ = CameraPaths(maker_, cameras_,
                           std::max<std::int64_t>(1, maker_.LastFrame() / kPathPoints));
      pathsMade_ = true;
    }
  }
  update();
}

void PreviewView::initializeGL() {
  renderer_ = std::make_unique<SceneRenderer>(maker_.Scene(), modelFolder_);
  try {
    renderer_->Initialize();
  } catch (const std::runtime_error& error) {
    failure_ = error.what();
    renderer_.reset();
  }
}

void PreviewView::paintGL() {
  if (!isValid()) {
    return;  // no OpenGL on this platform: nothing can be drawn
  }
  const QSize pixels = size() * devicePixelRatioF();
  if (renderer_) {
    if (orbit_) {
      const CameraView view = orbit_->View();
      std::vector<GuideLine> guides = CameraFrustums(maker_.Scene(), frame_.pose, cameras_,
                                                     frame_.state.liveCamera, FrustumSize(view));
      guides.insert(guides.end(), paths_.begin(), paths_.end());
      renderer_->Draw(frame_.pose, frame_.state.hidden, view, pixels, guides);
    } else {
      renderer_->Draw(frame_.pose, frame_.state.hidden, frame_.view, pixels);
    }
  }
  ++drawn_;
  QPainter painter(this);
  if (!orbit_) {
    PaintNisOverlay(painter, rect(), frame_.state);
  }
  std::string caption = FrameCaption(frame_.state.frame, maker_.FrameRate(), frame_.cameraName);
  if (orbit_) {
    caption += "  (orbit view: C returns to the camera)";
  }
  if (!failure_.empty()) {
    caption = failure_;
  }
  PaintCornerCaption(painter, rect(), caption);
  std::vector<std::string> ticker;
  for (const auto& [frame, text] : ticker_) {
    ticker.push_back(std::to_string(frame) + "  " + text);
  }
  PaintTicker(painter, rect(), ticker);
}

void PreviewView::mousePressEvent(QMouseEvent* event) {
  lastDrag_ = event->position().toPoint();
}

void PreviewView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (orbit_ && (event->buttons() & Qt::LeftButton)) {
    orbit_->Turn(at.x() - lastDrag_.x(), at.y() - lastDrag_.y());
    update();
  }
  lastDrag_ = at;
}

void PreviewView::wheelEvent(QWheelEvent* event) {
  if (orbit_) {
    orbit_->Zoom(event->angleDelta().y() / 120.0);
    update();
  }
}

PreviewWindow::PreviewWindow(const FrameMaker& maker, std::string modelFolder, FrameStrip* strip,
                             std::int64_t firstFrame)
    : maker_(maker), strip_(strip) {
  setFocusPolicy(Qt::StrongFocus);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  view_ = new PreviewView(maker, std::move(modelFolder), this);
  layout->addWidget(view_, 1);
  auto* scrub = new QHBoxLayout;
  slider_ = new QSlider(Qt::Horizontal, this);
  slider_->setFocusPolicy(Qt::NoFocus);
  slider_->setRange(0, static_cast<int>(std::min<std::int64_t>(maker.LastFrame(), INT32_MAX)));
  position_ = new QLabel(this);
  position_->setMinimumWidth(position_->fontMetrics().horizontalAdvance("frame 000000  0000.00 s"));
  scrub->addWidget(slider_, 1);
  scrub->addWidget(position_);
  layout->addLayout(scrub);
  connect(slider_, &QSlider::valueChanged, this, [this](int value) {
    if (value != frame_) {
      GoTo(value);
    }
  });
  if (strip_ != nullptr) {
    auto* scroll = new QScrollArea(this);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setWidgetResizable(true);
    scroll->setWidget(strip_);
    // The strip whole when it is low, else as much as leaves the view most room.
    scroll->setMinimumHeight(std::min(strip_->minimumHeight() + 4, 240));
    scroll->setMaximumHeight(std::max(strip_->minimumHeight() + 4, 240));
    layout->addWidget(scroll);
    strip_->onJump = [this](std::int64_t frame) { GoTo(frame); };
  }
  timer_.setInterval(std::max(1, static_cast<int>(500 / maker.FrameRate())));
  connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
  GoTo(firstFrame);
}

void PreviewWindow::GoTo(std::int64_t frame) {
  Show(frame);
  if (timer_.isActive()) {
    playedFrom_ = frame_;
    clock_.restart();
  }
}

void PreviewWindow::Show(std::int64_t frame) {
  frame = std::clamp<std::int64_t>(frame, 0, maker_.LastFrame());
  if (frame == frame_) {
    return;
  }
  frame_ = frame;
  view_->SetFrame(frame);
  slider_->setValue(static_cast<int>(frame));
  position_->setText(QString::fromStdString(FrameAndTime(frame, maker_.FrameRate())));
  if (strip_ != nullptr) {
    strip_->SetFrame(frame);
  }
}

void PreviewWindow::PlayPause() {
  if (timer_.isActive()) {
    timer_.stop();
    return;
  }
  if (frame_ >= maker_.LastFrame()) {
    GoTo(0);
  }
  playedFrom_ = frame_;
  clock_.start();
  timer_.start();
}

// Plays in real time: the frame due now, however many were drawn on the way.
void PreviewWindow::Tick() {
  const auto due =
      playedFrom_ + static_cast<std::int64_t>(std::floor(static_cast<double>(clock_.elapsed()) *
                                                         maker_.FrameRate() / 1000.0));
  Show(due);
  if (due >= maker_.LastFrame()) {
    timer_.stop();
  }
}

void PreviewWindow::keyPressEvent(QKeyEvent* event) {
  switch (PreviewKeyOf(event->key())) {
    case PreviewKey::kPlayPause:
      PlayPause();
      break;
    case PreviewKey::kBack:
      timer_.stop();
      GoTo(frame_ - 1);
      break;
    case PreviewKey::kForward:
      timer_.stop();
      GoTo(frame_ + 1);
      break;
    case PreviewKey::kFirst:
      GoTo(0);
      break;
    case PreviewKey::kLast:
      timer_.stop();
      GoTo(maker_.LastFrame());
      break;
    case PreviewKey::kOrbit:
      view_->ToggleOrbit();
      break;
    case PreviewKey::kClose:
      close();
      break;
    case PreviewKey::kNone:
      QWidget::keyPressEvent(event);
      break;
  }
}

}  // namespace quorvel::preview
