#include "framework/backends/qt/tabs_out_of_sight.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTabBar>

#include "framework/backends/qt/tab_bar_append.h"
#include "tests/framework/backends/qt/qt_test_environment.h"

namespace quorvel::ui::qt {
namespace {

// A strip that paints as QTabBar does, or with the tabs out of sight marked hidden.
class Strip : public QTabBar {
 public:
  explicit Strip(bool markOutOfSight) : markOutOfSight_(markOutOfSight) {
    setUsesScrollButtons(true);
    setExpanding(false);
    setElideMode(Qt::ElideNone);
    setDrawBase(true);
  }
  int first = -1;
  int last = -1;

 protected:
  void paintEvent(QPaintEvent* event) override {
    if (!markOutOfSight_) {
      QTabBar::paintEvent(event);
      return;
    }
    const TabsOutOfSight hidden(*this);
    first = hidden.First();
    last = hidden.Last();
    QTabBar::paintEvent(event);
  }

 private:
  bool markOutOfSight_;
};

// Painting only the tabs in sight shows the same pixels as painting them all, with
// the current tab at the start, in the middle or at the end of a long row, and
// every tab is visible again afterwards.
TEST(TabsOutOfSightTest, PaintsWhatQTabBarPaints) {
  struct Case {
    int tabs;
    int current;
  };
  const Case cases[] = {{10, 4}, {500, 0}, {500, 1}, {500, 250}, {500, 498}, {500, 499}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.tabs) + " tabs, current " + std::to_string(c.current));
    QStringList captions;
    for (int i = 0; i < c.tabs; ++i)
      captions.push_back(QStringLiteral("Actor: Ship %1").arg(i));
    Strip all(false);
    Strip inSight(true);
    QImage images[2];
    for (Strip* strip : {&all, &inSight}) {
      AppendTabs(*strip, captions);
      strip->resize(400, strip->sizeHint().height());
      strip->show();
      strip->setCurrentIndex(c.current);
    }
    images[0] = all.grab().toImage();
    images[1] = inSight.grab().toImage();
    EXPECT_EQ(images[0], images[1]);
    if (c.tabs > 64) {
      EXPECT_LE(inSight.first, c.current);
      EXPECT_GE(inSight.last, c.current);
      EXPECT_LT(inSight.last - inSight.first, 40);
    } else {
      EXPECT_EQ(inSight.first, -1);
    }
    for (int i = 0; i < c.tabs; ++i)
      ASSERT_TRUE(inSight.isTabVisible(i)) << i;
  }
}

}  // namespace
}  // namespace quorvel::ui::qt
