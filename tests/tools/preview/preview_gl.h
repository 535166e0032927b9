// What the preview's OpenGL tests share: one QApplication on a display that
// offers OpenGL (an Xvfb of the program's own when none is set), and the pictures'
// pixels read by what they show.
#pragma once

#include <QImage>
#include <memory>
#include <string>

#include "host/scene.h"
#include "tools/preview/offscreen_picture_qt.h"

namespace quorvel::preview::testing {

// Offscreen pictures of `scene` (`width`x`height`; its textures in `folder`), or
// null with `skip` saying why no OpenGL context can be made here.
std::unique_ptr<OffscreenPictures> MakePictures(const host::Scene& scene, int width, int height,
                                                std::string& skip, const std::string& folder = "");

bool IsRed(QRgb pixel);
bool IsBlack(QRgb pixel);
// Whether every pixel of row `y` (or of the whole picture) is black.
bool RowIsBlack(const QImage& image, int y);
bool AllBlack(const QImage& image);
// The share of red pixels in the middle ninth of the picture.
double RedInCentre(const QImage& image);

}  // namespace quorvel::preview::testing
