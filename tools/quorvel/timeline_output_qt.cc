// The Qt outputs of `quorvel timeline`, in the module of real windows: a PNG
// painted offscreen, and the window.
#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <iostream>
#include <memory>
#include <optional>

#include "framework/backends/qt/qt_application.h"
#include "framework/core/latin1.h"
#include "tools/quorvel/command_error.h"
#include "tools/quorvel/exit_when_shown_qt.h"
#include "tools/quorvel/qt_windows.h"
#include "tools/timeline/painter_qt.h"
#include "tools/timeline/view_qt.h"

namespace quorvel::app {
namespace {

// A PNG this large would take gigabytes to paint; the SVG has no such limit.
constexpr double kMaxPngPixels = 200e6;
constexpr double kMaxPngHeight = 32000;

void EndForWantOfWindows(const std::string& reason) {
  std::cout.flush();
  std::cerr << "quorvel timeline: cannot show a window: " << reason
            << ". Write the picture with -o FILE.svg instead." << std::endl;
  std::_Exit(kExitNoWindows);
}

}  // namespace

void qt_windows::WritePng(const timeline::Sequence& sequence, const timeline::View& view,
                          const std::string& heading, const std::string& path) {
  // No taller than a painter draws reliably, nor larger than kMaxPngPixels: rows
  // past that are left out, and the picture says so.
  const timeline::Layout layout = timeline::LayOut(
      sequence, view, std::min(kMaxPngHeight, kMaxPngPixels / std::max(view.width, 1.0)));
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
  TimelineView window(sequence, view, heading);
  InstallTimelineProbe(window);
  window.setWindowTitle(QString::fromStdString(heading + " - Quorvel timeline"));
  window.resize(std::min(static_cast<int>(view.width) + 24, 1600), 700);
  window.show();
  QApplication::exec();
  return kExitSuccess;
}

}  // namespace quorvel::app
