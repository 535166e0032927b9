#include "tests/tools/preview/preview_gl.h"

#include <dlfcn.h>
#include <link.h>

#include <QApplication>
#include <stdexcept>
#include <string>
#include <vector>

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

// Mesa unloads its driver when the last context goes, before the leak checker of a
// sanitized build looks: what the driver keeps until then is reported from a module
// no longer mapped, which no suppression can name. Pinning every graphics library
// that is loaded keeps the driver's frames readable, so the suppressions of Mesa's
// own allocations apply.
void KeepGraphicsLibrariesLoaded() {
  std::vector<std::string> names;
  dl_iterate_phdr(
      [](dl_phdr_info* info, std::size_t, void* data) {
        const std::string name = info->dlpi_name != nullptr ? info->dlpi_name : "";
        for (const char* part :
             {"_dri.so", "libgallium", "libLLVM", "libGL", "libEGL", "libglapi"}) {
          if (name.find(part) != std::string::npos) {
            static_cast<std::vector<std::string>*>(data)->push_back(name);
            break;
          }
        }
        return 0;
      },
      &names);
  for (const std::string& name : names) {
    dlopen(name.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
  }
}

}  // namespace

std::unique_ptr<OffscreenPictures> MakePictures(const host::Scene& scene, int width, int height,
                                                std::string& skip, const std::string& folder) {
  skip = StartApplication();
  if (!skip.empty()) {
    return nullptr;
  }
  try {
    auto pictures = std::make_unique<OffscreenPictures>(scene, folder, QSize(width, height));
    KeepGraphicsLibrariesLoaded();
    return pictures;
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
