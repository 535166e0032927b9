#include "framework/backends/qt/tabs_out_of_sight.h"

#include <algorithm>

#include <QtWidgets/private/qtabbar_p.h>

namespace quorvel::ui::qt {
namespace {

// Few enough tabs are painted as they are.
constexpr qsizetype kFewTabs = 64;

QTabBarPrivate& Private(QTabBar& bar) {
  return *static_cast<QTabBarPrivate*>(QWidgetPrivate::get(&bar));
}

bool IsHorizontal(QTabBar::Shape shape) {
  return shape == QTabBar::RoundedNorth || shape == QTabBar::RoundedSouth ||
         shape == QTabBar::TriangularNorth || shape == QTabBar::TriangularSouth;
}

}  // namespace

TabsOutOfSight::TabsOutOfSight(QTabBar& bar) : bar_(bar) {
  QTabBarPrivate& d = Private(bar);
  const qsizetype count = d.tabList.size();
  if (count <= kFewTabs || !IsHorizontal(bar.shape()) || bar.layoutDirection() != Qt::LeftToRight)
    return;
  bar.tabRect(0);  // lays the tabs out first when they need it
  if (d.layoutDirty)
    return;
  // Tab rectangles are in the strip's own coordinates, left to right; the part in
  // sight starts at the scroll offset.
  const int left = d.scrollOffset;
  const int right = d.scrollOffset + bar.width();
  const auto begin = d.tabList.cbegin();
  const auto end = d.tabList.cend();
  const auto inSight = std::partition_point(
      begin, end, [left](const QTabBarPrivate::Tab* tab) { return tab->rect.right() < left; });
  const auto pastSight = std::partition_point(
      inSight, end, [right](const QTabBarPrivate::Tab* tab) { return tab->rect.left() <= right; });
  first_ = static_cast<int>(std::max<qsizetype>(inSight - begin - 1, 0));
  last_ = static_cast<int>(std::min<qsizetype>(pastSight - begin, count - 1));
  marked_.assign(static_cast<std::size_t>(count), false);
  for (qsizetype i = 0; i < count; ++i) {
    if (i == first_) {
      i = last_;
      continue;
    }
    QTabBarPrivate::Tab* tab = d.tabList[i];
    marked_[static_cast<std::size_t>(i)] = tab->visible;
    tab->visible = false;
  }
}

TabsOutOfSight::~TabsOutOfSight() {
  QTabBarPrivate& d = Private(bar_);
  const qsizetype count = std::min<qsizetype>(d.tabList.size(), std::ssize(marked_));
  for (qsizetype i = 0; i < count; ++i) {
    if (marked_[static_cast<std::size_t>(i)])
      d.tabList[i]->visible = true;
  }
}

}  // namespace quorvel::ui::qt
