// Dialog units: template positions are given in units of the dialog font, a quarter
// of its average character width across and an eighth of its height down. They turn
// into pixels as the platform turns them:
//
//   DialogBaseUnits units = BaseUnitsOf(DialogFontFor(entry.font));
//   widget->setGeometry(ToPixels(control.rect, units));
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

#include "framework/core/dialog_template.h"

namespace quorvel::ui::qt {

struct DialogBaseUnits {
  int x = 0;  // average character width, pixels
  int y = 0;  // character height, pixels
};

// From the width of the 52 letters A-Z a-z together and the font's height, rounded
// as the platform rounds: x = (width / 26 + 1) / 2.
DialogBaseUnits BaseUnitsFromMetrics(int widthOf52Letters, int height);
DialogBaseUnits BaseUnitsOf(const QFont& font);

// value * numerator / denominator, rounded half away from zero (the platform's MulDiv).
int MulDiv(int value, int numerator, int denominator);

int DluToPixelsX(int dlu, DialogBaseUnits units);
int DluToPixelsY(int dlu, DialogBaseUnits units);
QRect ToPixels(const DialogRect& rect, DialogBaseUnits units);
QSize ToPixels(int width, int height, DialogBaseUnits units);

// The template's font when it is installed; otherwise, since "MS Sans Serif" never is
// on Linux, DejaVu Sans (installed with the project's dependencies), else the
// application's font; always at the template's point size.
QFont DialogFontFor(const DialogFont& font);

}  // namespace quorvel::ui::qt
