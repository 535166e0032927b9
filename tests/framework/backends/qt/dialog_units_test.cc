// Dialog units to pixels, rounded as the platform rounds.
#include "framework/backends/qt/dialog_units.h"

#include <gtest/gtest.h>
#include <QFontInfo>

namespace quorvel::ui::qt {
namespace {

struct MulDivCase {
  int value, numerator, denominator, result;
};

TEST(DialogUnitsTest, MulDivRoundsHalfAwayFromZero) {
  const MulDivCase cases[] = {
      {5, 7, 4, 9},                       // 8.75
      {6, 7, 4, 11},                      // 10.5 rounds up
      {2, 13, 8, 3},                      // 3.25
      {12, 13, 8, 20},                    // 19.5 rounds up
      {-6, 7, 4, -11},                    // -10.5 rounds away from zero
      {0, 7, 4, 0},    {257, 7, 4, 450},  // 449.75
      {1, 1, 0, -1},                      // the platform's answer to a zero denominator
  };
  for (const MulDivCase& c : cases) {
    EXPECT_EQ(MulDiv(c.value, c.numerator, c.denominator), c.result)
        << c.value << " * " << c.numerator << " / " << c.denominator;
  }
}

TEST(DialogUnitsTest, BaseUnitsAverageTheFiftyTwoLetters) {
  // MS Sans Serif 8 at 96 dpi: the letters are 312 pixels wide, 13 high.
  EXPECT_EQ(BaseUnitsFromMetrics(312, 13).x, 6);
  EXPECT_EQ(BaseUnitsFromMetrics(312, 13).y, 13);
  // Rounded as (w / 26 + 1) / 2: 353 / 26 = 13, so 7.
  EXPECT_EQ(BaseUnitsFromMetrics(353, 13).x, 7);
  EXPECT_EQ(BaseUnitsFromMetrics(337, 13).x, 6);
}

TEST(DialogUnitsTest, RectanglesScaleByAQuarterAcrossAndAnEighthDown) {
  const DialogBaseUnits units{7, 13};
  EXPECT_EQ(ToPixels(DialogRect{80, 5, 175, 12}, units), QRect(140, 8, 306, 20));
  EXPECT_EQ(ToPixels(262, 131, units), QSize(459, 213));
}

TEST(DialogUnitsTest, TheDialogFontStandsInForMsSansSerif) {
  const QFont font = DialogFontFor(kDialogFont);
  EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("DejaVu Sans"));
  EXPECT_EQ(font.pointSize(), 8);
}

}  // namespace
}  // namespace quorvel::ui::qt
