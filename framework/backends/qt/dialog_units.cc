#include "framework/backends/qt/dialog_units.h"

#include <cstdint>
#include <cstdlib>

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>

namespace quorvel::ui::qt {
namespace {

constexpr const char* kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr const char* kSubstituteFamily = "DejaVu Sans";

}  // namespace

DialogBaseUnits BaseUnitsFromMetrics(int widthOf52Letters, int height) {
  return {(widthOf52Letters / 26 + 1) / 2, height};
}

DialogBaseUnits BaseUnitsOf(const QFont& font) {
  const QFontMetrics metrics(font);
  return BaseUnitsFromMetrics(metrics.horizontalAdvance(QString::fromLatin1(kLetters)),
                              metrics.height());
}

int MulDiv(int value, int numerator, int denominator) {
  if (denominator == 0)
    return -1;
  const int64_t product = static_cast<int64_t>(value) * numerator;
  const int64_t half = std::llabs(denominator) / 2;
  const bool negative = (product < 0) != (denominator < 0);
  const int64_t magnitude = (std::llabs(product) + half) / std::llabs(denominator);
  return static_cast<int>(negative ? -magnitude : magnitude);
}

int DluToPixelsX(int dlu, DialogBaseUnits units) {
  return MulDiv(dlu, units.x, 4);
}

int DluToPixelsY(int dlu, DialogBaseUnits units) {
  return MulDiv(dlu, units.y, 8);
}

QRect ToPixels(const DialogRect& rect, DialogBaseUnits units) {
  return {DluToPixelsX(rect.x, units), DluToPixelsY(rect.y, units), DluToPixelsX(rect.width, units),
          DluToPixelsY(rect.height, units)};
}

QSize ToPixels(int width, int height, DialogBaseUnits units) {
  return {DluToPixelsX(width, units), DluToPixelsY(height, units)};
}

QFont DialogFontFor(const DialogFont& font) {
  const QString wanted =
      QString::fromLatin1(font.name.data(), static_cast<qsizetype>(font.name.size()));
  QFont result = QApplication::font();
  if (!wanted.isEmpty() && QFontDatabase::hasFamily(wanted)) {
    result.setFamily(wanted);
  } else if (QFontDatabase::hasFamily(QString::fromLatin1(kSubstituteFamily))) {
    result.setFamily(QString::fromLatin1(kSubstituteFamily));
  }
  if (font.pointSize > 0)
    result.setPointSize(font.pointSize);
  return result;
}

}  // namespace quorvel::ui::qt
