// Tabs of a horizontal QTabBar scrolled out of sight, marked hidden for as long as an
// object of this class lives (through QTabBar's private data, as tab_bar_append.h
// does), so that painting the bar passes over them. Tabs more than one place away
// from those in sight are marked; those that were visible are visible again when the
// object goes. Nothing is laid out anew meanwhile: each tab keeps its place.
#pragma once

#include <vector>

class QTabBar;

namespace quorvel::ui::qt {

class TabsOutOfSight {
 public:
  explicit TabsOutOfSight(QTabBar& bar);
  ~TabsOutOfSight();
  TabsOutOfSight(const TabsOutOfSight&) = delete;
  TabsOutOfSight& operator=(const TabsOutOfSight&) = delete;

  // The tabs left as they were, [first, last]; both -1 when none was marked (a bar
  // of few tabs, or a vertical one).
  int First() const { return first_; }
  int Last() const { return last_; }

 private:
  QTabBar& bar_;
  int first_ = -1;
  int last_ = -1;
  std::vector<bool> marked_;  // by tab: hidden here, to be shown again
};

}  // namespace quorvel::ui::qt
