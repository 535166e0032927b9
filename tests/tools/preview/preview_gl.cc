#include "tests/tools/preview/preview_gl.h"

#include <QApplication>
#include <stdexcept>

#include "tests/support/x_display.h"

namespace quorvel::preview::testing {
namespace {

std::string StartApplication() {
  static const std::string reason = [] {
    std::string why = quorvel::testing::EnsureXDisplay();
    if (!why.empty()) {
      return why;
    }
    static int argc = 1;
    static char name[] = "preview_tests";
    static char* argv[] = {name, nullptr};
    // On the X display, whatever platform the tests were given: the offscreen one
    // draws OpenGL but has no OpenGL widgets, which the window's tests show.
    qputenv("QT_QPA_PLATFORM", "xcb");
    static QApplication application(argc, argv);  // widgets too, for the window
    return std::string();
  }();
  return reason;
}

}  // namespace

std::unique_ptr<OffscreenPictures> MakePictures(const host::Scene& scene, int width, int height,
                                                std::string& skip, const std::string& folder) {
  skip = StartApplication();
  if (!skip.empty()) {
    return nullptr;
  }
  try {
    return std::make_unique<OffscreenPictures>(scene, folder, QSize(width, height));
  } catch (const std::runtime_error& error) {
    skip = error.what();
    return nullptr;
  }
}

bool IsRed(QRgb pixel) {
  return qRed(pixel) > 100 && qGreen(pixel) < 40 && qBlue(pixel) < 40;
}
bool IsBlack(QRgb pixel) {
  return qRed(pixel) + qGreen(pixel) + qBlue(pixel) == 0;
}

bool RowIsBlack(const QImage& image, int y) {
  for (int x = 0; x < image.width(); ++x) {
    if (!IsBlack(image.pixel(x, y))) {
      return false;
    }
  }
  return true;
}

bool AllBlack(const QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    if (!RowIsBlack(image, y)) {
      return false;
    }
  }
  return true;
}

double RedInCentre(const QImage& image) {
  int red = 0;
  int all = 0;
  for (int y = image.height() / 3; y < image.height() * 2 / 3; ++y) {
    for (int x = image.width() / 3; x < image.width() * 2 / 3; ++x) {
      red += IsRed(image.pixel(x, y)) ? 1 : 0;
      ++all;
    }
  }
  return all == 0 ? 0 : static_cast<double>(red) / all;
}

}  // namespace quorvel::preview::testing
