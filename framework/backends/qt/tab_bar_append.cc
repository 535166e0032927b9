#include "framework/backends/qt/tab_bar_append.h"

#include <QtWidgets/private/qtabbar_p.h>

namespace quorvel::ui::qt {

void AppendTabs(QTabBar& bar, const QStringList& texts) {
  if (texts.isEmpty())
    return;
  // The first through addTab itself: it makes the first tab of an empty bar the
  // current one, and keeps whatever else a bar does on a new tab.
  int first = 0;
  if (bar.count() == 0 || bar.isVisible()) {
    // A bar on screen is laid out by addTab anyway; only building one is bulk.
    const qsizetype direct = bar.isVisible() ? texts.size() : 1;
    for (qsizetype i = 0; i < direct; ++i)
      bar.addTab(texts[i]);
    first = static_cast<int>(direct);
  }
  if (first >= texts.size())
    return;
  auto* d = static_cast<QTabBarPrivate*>(QWidgetPrivate::get(&bar));
  d->tabList.reserve(d->tabList.size() + texts.size() - first);
  for (qsizetype i = first; i < texts.size(); ++i)
    d->tabList.append(new QTabBarPrivate::Tab(QIcon(), texts[i]));
  // What addTab leaves for a tab at the end: the last visible tab is the new last
  // one; the current tab, the first visible one and every other index stay.
  d->lastVisible = static_cast<int>(d->tabList.size()) - 1;
  d->refresh();
}

}  // namespace quorvel::ui::qt
