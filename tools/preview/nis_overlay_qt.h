// What the sequence lays over the picture, painted with QPainter over the drawn
// model: the fade (black over everything), the wide-screen bars (black at top and
// bottom; fully in, each covers an eighth of the height), the texts on screen
// (centred above the lower bar, newest lowest), and, in the window, the caption
// with camera, frame and time in the top left corner and the ticker of the other
// events in the top right.
#pragma once

#include <QRect>
#include <string>
#include <vector>

#include "tools/nis/nis_state.h"

class QPainter;

namespace quorvel::preview {

// The share of the height each bar covers when fully in.
inline constexpr double kWideScreenBar = 0.125;

void PaintNisOverlay(QPainter& painter, const QRect& area, const nis::NisState& state);
void PaintCornerCaption(QPainter& painter, const QRect& area, const std::string& caption);
// The window's ticker: the lines in the top right corner, the newest last, at most
// the last six.
void PaintTicker(QPainter& painter, const QRect& area, const std::vector<std::string>& lines);

}  // namespace quorvel::preview
