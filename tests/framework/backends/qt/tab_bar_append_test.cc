#include "framework/backends/qt/tab_bar_append.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <QTabBar>

#include "tests/framework/backends/qt/qt_test_environment.h"

namespace quorvel::ui::qt {
namespace {

QStringList Captions(int from, int count) {
  QStringList texts;
  for (int i = from; i < from + count; ++i)
    texts.push_back(QStringLiteral("Actor: Ship && %1").arg(i));
  return texts;
}

void Prepare(QTabBar& bar) {
  bar.setUsesScrollButtons(true);
  bar.setExpanding(false);
  bar.setElideMode(Qt::ElideNone);
  bar.resize(300, bar.sizeHint().height());
}

// A bar filled by AppendTabs is the bar that addTab one by one makes: the same
// tabs, current tab, places and size, before and after it is shown and scrolled.
TEST(TabBarAppendTest, GivesTheBarThatAddTabGives) {
  struct Case {
    int before;    // tabs added one by one first
    int appended;  // tabs then appended at once
    bool shown;    // whether the bar is on screen while they are appended
  };
  const Case cases[] = {{0, 0, false}, {0, 1, false}, {0, 40, false}, {3, 40, false},
                        {5, 0, false}, {0, 40, true}, {2, 7, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.before) + " + " + std::to_string(c.appended) +
                 (c.shown ? " shown" : ""));
    QTabBar expected;
    QTabBar actual;
    for (QTabBar* bar : {&expected, &actual}) {
      Prepare(*bar);
      for (const QString& text : Captions(0, c.before))
        bar->addTab(text);
      if (c.shown)
        bar->show();
    }
    for (const QString& text : Captions(c.before, c.appended))
      expected.addTab(text);
    AppendTabs(actual, Captions(c.before, c.appended));
    for (QTabBar* bar : {&expected, &actual}) {
      bar->show();
      Prepare(*bar);
    }
    ASSERT_EQ(actual.count(), expected.count());
    EXPECT_EQ(actual.currentIndex(), expected.currentIndex());
    EXPECT_EQ(actual.sizeHint(), expected.sizeHint());
    for (int last : {0, expected.count() - 1}) {
      if (last < 0)
        continue;
      expected.setCurrentIndex(last);
      actual.setCurrentIndex(last);
      for (int i = 0; i < expected.count(); ++i) {
        EXPECT_EQ(actual.tabText(i), expected.tabText(i)) << i;
        EXPECT_EQ(actual.tabRect(i), expected.tabRect(i)) << i;
      }
      if (expected.count() > 0) {
        const QPoint middle = expected.tabRect(last).center();
        EXPECT_EQ(actual.tabAt(middle), expected.tabAt(middle));
      }
    }
  }
}

}  // namespace
}  // namespace quorvel::ui::qt
