// The Qt outputs of `quorvel timeline`, in the module of real windows: a PNG
// painted offscreen, and the window.
#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>
#include <QWidget>
#include <cmath>
#include <iostream>
#include <memory>
#include <optional>

#include "app/command_error.h"
#include "app/qt_windows.h"
#include "app/timeline_painter_qt.h"
#include "ui/backends/qt/qt_application.h"
#include "ui/framework/latin1.h"

namespace quorvel::app {
namespace {

// A PNG this large would take gigabytes to paint; the SVG has no such limit.
constexpr double kMaxPngPixels = 200e6;
constexpr double kMinZoom = 1.0;
constexpr double kMaxZoom = 200.0;

// The picture in a window: Ctrl+wheel or +/- zoom along the time axis about the
// pointer (0 back to the whole sequence), the scroll bars move, and hovering an
// event, a band or a row title shows its whole text.
class TimelineWidget : public QWidget {
 public:
  TimelineWidget(const timeline::Sequence& sequence, const timeline::View& view,
                 std::string heading, QScrollArea& area)
      : sequence_(sequence), view_(view), heading_(std::move(heading)), area_(area) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    Relayout();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    PaintTimeline(layout_, heading_, painter);
  }

  void mouseMoveEvent(QMouseEvent* event) override {
    const std::string text =
        TimelineHoverText(layout_, event->position().x(), event->position().y());
    if (text.empty()) {
      QToolTip::hideText();
    } else {
      QToolTip::showText(event->globalPosition().toPoint(), QString::fromStdString(text), this);
    }
  }

  void wheelEvent(QWheelEvent* event) override {
    if (!(event->modifiers() & Qt::ControlModifier)) {
      event->ignore();  // the scroll area scrolls
      return;
    }
    ZoomAbout(event->angleDelta().y() > 0 ? 1.25 : 0.8, event->position().x());
    event->accept();
  }

  void keyPressEvent(QKeyEvent* event) override {
    const double centre = area_.horizontalScrollBar()->value() + area_.viewport()->width() / 2.0;
    switch (event->key()) {
      case Qt::Key_Plus:
      case Qt::Key_Equal:
        ZoomAbout(1.25, centre);
        break;
      case Qt::Key_Minus:
        ZoomAbout(0.8, centre);
        break;
      case Qt::Key_0:
        ZoomAbout(kMinZoom / zoom_, 0);
        break;
      default:
        QWidget::keyPressEvent(event);
    }
  }

 private:
  void Relayout() {
    timeline::View view = view_;
    view.width = view_.width * zoom_;
    layout_ = timeline::LayOut(sequence_, view);
    setFixedSize(static_cast<int>(std::ceil(layout_.width)),
                 static_cast<int>(std::ceil(layout_.height)));
    update();
  }

  // Zooms by `factor`, keeping the frame at widget position `x` where it is on screen.
  void ZoomAbout(double factor, double x) {
    const double zoom = std::clamp(zoom_ * factor, kMinZoom, kMaxZoom);
    if (zoom == zoom_) {
      return;
    }
    const double share = (x - layout_.plot.x) / std::max(layout_.plot.width, 1.0);
    const double onScreen = x - area_.horizontalScrollBar()->value();
    zoom_ = zoom;
    Relayout();
    const double newX = layout_.plot.x + share * layout_.plot.width;
    area_.horizontalScrollBar()->setValue(static_cast<int>(newX - onScreen));
  }

  const timeline::Sequence& sequence_;
  timeline::View view_;
  std::string heading_;
  QScrollArea& area_;
  double zoom_ = 1.0;
  timeline::Layout layout_;
};

void EndForWantOfWindows(const std::string& reason) {
  std::cout.flush();
  std::cerr << "quorvel timeline: cannot show a window: " << reason
            << ". Write the picture with -o FILE.svg instead." << std::endl;
  std::_Exit(kExitNoWindows);
}

}  // namespace

void qt_windows::WritePng(const timeline::Sequence& sequence, const timeline::View& view,
                          const std::string& heading, const std::string& path) {
  const timeline::Layout layout = timeline::LayOut(sequence, view);
  if (layout.width * layout.height > kMaxPngPixels) {
    throw CommandError(
        kExitUsage, "the picture would be " + std::to_string(static_cast<long long>(layout.width)) +
                        " by " + std::to_string(static_cast<long long>(layout.height)) +
                        " pixels, too large for PNG; write it as .svg");
  }
  // Painting text needs an application object; offscreen needs no display. The
  // scope keeps Qt's notices that the user can do nothing about off the terminal.
  std::optional<ui::qt::ApplicationScope> application;
  if (QCoreApplication::instance() == nullptr) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    application.emplace();
  }
  QImage image(static_cast<int>(std::ceil(layout.width)),
               static_cast<int>(std::ceil(layout.height)), QImage::Format_ARGB32_Premultiplied);
  {
    QPainter painter(&image);
    PaintTimeline(layout, heading, painter);
  }
  if (!image.save(QString::fromStdString(path), "PNG")) {
    throw CommandError(kExitFileError, ui::ShownText(path) + ": cannot be written");
  }
}

int qt_windows::ShowTimelineWindow(const timeline::Sequence& sequence, const timeline::View& view,
                                   const std::string& heading) {
  if (const std::string reason = ui::qt::MissingDisplayReason(); !reason.empty()) {
    throw CommandError(kExitNoWindows, "cannot show a window: " + reason +
                                           ". Write the picture with -o FILE.svg instead.");
  }
  ui::qt::ApplicationScope application(&EndForWantOfWindows);
  QScrollArea area;
  area.setWindowTitle(QString::fromStdString(heading + " - Quorvel timeline"));
  area.setWidget(new TimelineWidget(sequence, view, heading, area));
  area.resize(std::min(static_cast<int>(view.width) + 24, 1600), 700);
  area.show();
  QApplication::exec();
  return kExitSuccess;
}

}  // namespace quorvel::app
