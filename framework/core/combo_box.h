// CComboBox: a handle on a combo box (see control_handle.h).
//
// Two kinds, by template style: CBS_DROPDOWN has an editable field (the user may type
// any text; the field is what GetWindowText returns), CBS_DROPDOWNLIST has none (the
// field shows the selected item). Changing the selection from code sends no
// notification; a pick by the user sends CBN_SELCHANGE.
#pragma once

#include <string>
#include <string_view>

#include "framework/core/control_handle.h"

namespace quorvel::ui {

class CComboBox : public ControlHandle {
 public:
  using ControlHandle::ControlHandle;

  // Appends (the combos are never sorted); the new index, or CB_ERR.
  int AddString(std::string_view text);
  int GetCount() const;

  // The selected item, or CB_ERR when none is.
  int GetCurSel() const;
  // Selects item index (the field shows its text); -1 clears the selection. Returns
  // index, or CB_ERR when index is -1 or out of range.
  int SetCurSel(int index);

  // The text of item index; CB_ERR (and text untouched) when there is none.
  int GetLBText(int index, std::string& text) const;
  std::string GetLBText(int index) const;  // empty when there is no such item

  // Selects the first item, searching after startAfter to the end and then from the
  // first item round, whose text begins with text, letters compared without regard
  // to case; the field then shows the item's own text. startAfter -1 searches the
  // whole list from the first item. Returns the index, or CB_ERR when no item
  // matches (the selection is then left as it was). An empty text matches nothing.
  int SelectString(int startAfter, std::string_view text);
};

}  // namespace quorvel::ui
