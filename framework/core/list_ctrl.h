// CListCtrl: a handle on a list view (see control_handle.h).
//
// The list view tells its window through the message map: LVN_ITEMCHANGED with the
// item index whenever an item's selection changes (selected, and again when it is
// deselected, e.g. by a click on empty space), NM_DBLCLK with the item index on a
// double click (-1 on empty space). Deleting items sends nothing.
#pragma once

#include <string>
#include <string_view>

#include "framework/core/constants.h"
#include "framework/core/control_handle.h"

namespace quorvel::ui {

class CListCtrl : public ControlHandle {
 public:
  using ControlHandle::ControlHandle;

  bool DeleteAllItems();
  bool DeleteItem(int item);
  // Inserts an item with this label at index (past the end appends); the new index,
  // or -1.
  int InsertItem(int index, std::string_view label);
  int GetItemCount() const;
  // The label (subItem 0) of item; empty when there is no such item or column.
  std::string GetItemText(int item, int subItem) const;
  bool SetItemText(int item, int subItem, std::string_view text);
  // Asks for items first..last to be repainted.
  bool RedrawItems(int first, int last);

  // The next item after start (-1: from the first) with the given state flags
  // (LVNI_SELECTED, LVNI_FOCUSED, LVNI_ALL), or -1.
  int GetNextItem(int start, unsigned flags) const;
  // Selects item (-1: deselects all), sending LVN_ITEMCHANGED as a click would.
  bool SetSelectedItem(int item);
  // Shows item selected and focused (-1: nothing selected) without sending
  // LVN_ITEMCHANGED: for a window that keeps its own record of the selection.
  bool ShowSelectedItem(int item);
};

}  // namespace quorvel::ui
