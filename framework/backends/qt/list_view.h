// A list view of text items that leaves its selection to the framework: a click,
// a double click or a key that moves the selection is reported, and the selection
// the framework then holds is mirrored back. Items flow down and wrap into further
// columns, as the platform's small-icon view aligned left does. A label wider than
// the view shows its start and an ellipsis where it is cut, and the whole label as
// the item's tooltip.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QListWidget>

#include "framework/core/modal_window.h"

namespace quorvel::ui::qt {

class ListView : public QListWidget {
 public:
  explicit ListView(QWidget* parent);

  // index -1: empty space.
  std::function<void(int index)> onPick;
  std::function<void(int index)> onDoubleClick;
  // The arrows, Home and End: the framework moves the selection.
  std::function<void(ListKey key)> onListKey;

  // Shows these items, selection (-1: none) and focused item (-1: none).
  void Mirror(const std::vector<std::string>& items, int selection, int focused);
  // The selected row, or -1.
  int SelectedRow() const;
  // A point of the viewport where no item is, or (-1, -1) when items cover it all.
  QPoint EmptySpot() const;
  // The widest an item may be: the view's inside, less the spacing around items.
  int ItemRoom() const;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  int RowAt(const QPoint& point) const;
  // Shows the selection and focused item last mirrored from the framework.
  void ShowMirrored();
  // Gives each item whose label is cut its whole label as tooltip, and no other.
  void UpdateToolTips();

  int mirroredSelection_ = -1;
  int mirroredFocus_ = -1;
};

}  // namespace quorvel::ui::qt
