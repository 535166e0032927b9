// The outputs of `quorvel preview` in the module of real windows: pictures drawn in
// an offscreen OpenGL context, and the window.
#include <QApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QTimer>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "framework/backends/qt/qt_application.h"
#include "framework/core/latin1.h"
#include "tools/preview/offscreen_picture_qt.h"
#include "tools/preview/preview_window_qt.h"
#include "tools/preview/storyboard_qt.h"
#include "tools/quorvel/command_error.h"
#include "tools/quorvel/qt_windows.h"
#include "tools/quorvel/timeline_strip_qt.h"

namespace quorvel::app {
namespace {

// A storyboard larger than this would take gigabytes to paint.
constexpr double kMaxPicturePixels = 200e6;

constexpr char kNeedsOpenGl[] =
    "the preview draws with OpenGL, which needs an X display (Xvfb is enough, with Mesa's "
    "software renderer: xvfb-run quorvel preview ...)";

[[noreturn]] void EndForWantOfWindows(const std::string& reason) {
  std::cout.flush();
  std::cerr << "quorvel preview: cannot show a window: " << reason
            << ". Write pictures with -o FILE.png --frame N instead." << std::endl;
  std::_Exit(kExitNoWindows);
}

[[noreturn]] void EndForWantOfOpenGl(const std::string& reason) {
  std::cout.flush();
  std::cerr << "quorvel preview: cannot draw: " << reason << "; " << kNeedsOpenGl << std::endl;
  std::_Exit(kExitNoWindows);
}

std::string FolderOf(const std::string& path) {
  return std::filesystem::path(path).parent_path().string();
}

void Save(const QImage& image, const std::string& path) {
  if (!image.save(QString::fromStdString(path), "PNG")) {
    throw CommandError(kExitFileError, ui::ShownText(path) + ": cannot be written");
  }
}

// "frame_0048.png": the frame's number, with as many digits as the last one's and
// at least four, so that the files sort in playing order.
std::string FrameFileName(std::int64_t frame, std::int64_t last) {
  const int digits = std::max<int>(4, static_cast<int>(std::to_string(last).size()));
  char name[64];
  std::snprintf(name, sizeof name, "frame_%0*lld.png", digits, static_cast<long long>(frame));
  return name;
}

// For timing the window (bench/compare.sh): with QUORVEL_EXIT_WHEN_SHOWN set to
// "play" (or "play:FRAMES"), the window plays the sequence from its first frame once
// it is shown, to its end (or to frame FRAMES), and the process writes "play: DRAWN
// frames drawn in SECONDS s, RATE a second, the sequence's RATE" and ends.
void ProbePlay(preview::PreviewWindow& window, std::uint32_t frameRate) {
  const char* probe = std::getenv("QUORVEL_EXIT_WHEN_SHOWN");
  if (probe == nullptr || std::string_view(probe).substr(0, 4) != "play") {
    return;
  }
  std::int64_t until = INT64_MAX;
  if (std::string_view(probe).substr(0, 5) == "play:") {
    until = std::atoll(probe + 5);
  }
  QTimer::singleShot(0, &window, [&window, frameRate, until] {
    window.GoTo(0);
    const auto start = std::chrono::steady_clock::now();
    const std::int64_t drawnBefore = window.View().FramesDrawn();
    window.PlayPause();
    auto* poll = new QTimer(&window);
    QObject::connect(
        poll, &QTimer::timeout, &window, [&window, start, drawnBefore, frameRate, until] {
          if (window.Playing() && window.CurrentFrame() < until) {
            return;
          }
          const double seconds =
              std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
          const std::int64_t drawn = window.View().FramesDrawn() - drawnBefore;
          std::fprintf(stderr,
                       "play: %lld frames drawn in %.3f s, %.1f a second, the sequence's %u\n",
                       static_cast<long long>(drawn), seconds, static_cast<double>(drawn) / seconds,
                       frameRate);
          std::fflush(stderr);
          std::_Exit(0);
        });
    poll->start(5);
  });
}

}  // namespace

void qt_windows::WritePreviewPictures(const PreviewModel& model, const PreviewPictures& request) {
  // Offscreen, no window is shown; with an X display named, Qt draws OpenGL through
  // it. Only a Wayland session without X is left to Qt's own choice.
  std::optional<ui::qt::ApplicationScope> application;
  if (QCoreApplication::instance() == nullptr) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        (!qEnvironmentVariableIsEmpty("DISPLAY") ||
         qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))) {
      qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    application.emplace(&EndForWantOfOpenGl);
  }
  const preview::FrameMaker maker(*model.scene, *model.timeline);
  std::optional<preview::OffscreenPictures> pictures;
  try {
    pictures.emplace(*model.scene, FolderOf(model.path), QSize(request.width, request.height));
  } catch (const std::runtime_error& error) {
    throw CommandError(kExitNoWindows,
                       std::string("cannot draw: ") + error.what() + "; " + kNeedsOpenGl);
  }
  preview::PreviewFrame frame;
  switch (request.kind) {
    case PreviewPictures::Kind::kFrame:
      maker.Make(request.first, frame);
      Save(pictures->Render(frame), request.output);
      break;
    case PreviewPictures::Kind::kFrames:
      for (std::int64_t f = request.first; f <= request.last; ++f) {
        maker.Make(f, frame);
        Save(pictures->Render(frame),
             (std::filesystem::path(request.output) / FrameFileName(f, request.last)).string());
      }
      break;
    case PreviewPictures::Kind::kStoryboard: {
      const std::vector<std::int64_t> shots = preview::ShotStarts(*model.timeline);
      const QSize board = preview::StoryboardSize(static_cast<int>(shots.size()), pictures->Size());
      if (static_cast<double>(board.width()) * board.height() > kMaxPicturePixels) {
        throw CommandError(kExitUsage, "the storyboard of " + std::to_string(shots.size()) +
                                           " shots would be too large a picture; give a "
                                           "smaller --size");
      }
      Save(preview::Storyboard(maker, *pictures, shots), request.output);
      break;
    }
  }
}

int qt_windows::ShowPreviewWindow(const PreviewModel& model, std::int64_t first) {
  if (const std::string reason = ui::qt::MissingDisplayReason(); !reason.empty()) {
    throw CommandError(kExitNoWindows, "cannot show a window: " + reason +
                                           ". Write pictures with -o FILE.png --frame N instead.");
  }
  ui::qt::ApplicationScope application(&EndForWantOfWindows);
  {
    QOpenGLContext probe;
    if (!probe.create()) {
      throw CommandError(kExitNoWindows,
                         "cannot show the preview: no OpenGL context can be made on this "
                         "display. Write pictures with -o FILE.png --frame N instead.");
    }
  }
  const preview::FrameMaker maker(*model.scene, *model.timeline);
  TimelineStrip* strip =
      model.strip != nullptr ? new TimelineStrip(*model.strip, model.heading) : nullptr;
  preview::PreviewWindow window(maker, FolderOf(model.path), strip, first);
  window.setWindowTitle(QString::fromStdString(
      ui::ShownText(std::filesystem::path(model.path).filename().string()) + " - Quorvel preview"));
  window.resize(1000, 800);
  window.show();
  window.setFocus();
  ProbePlay(window, maker.FrameRate());
  QApplication::exec();
  return kExitSuccess;
}

}  // namespace quorvel::app
