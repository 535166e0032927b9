#include "framework/backends/win32/control_state.h"

#include <algorithm>

#include "framework/backends/win32/system.h"  // last: see system.h

namespace quorvel::ui::win32 {
namespace {

// The platform shows up to this many items of a dropped list before it scrolls.
constexpr int kComboVisibleItems = 30;

std::string ComboItem(HWND combo, int index) {
  const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, index, 0);
  if (length == CB_ERR)
    return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  SendMessageA(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return text;
}

std::string ListItem(HWND list, int index) {
  // The list view says how much it copied, not how long the label is: grow until
  // the label fits with room to spare.
  for (size_t room = 256;; room *= 2) {
    std::string text(room, '\0');
    LVITEMA item{};
    item.iSubItem = 0;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(room);
    const LRESULT copied =
        SendMessageA(list, LVM_GETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
    if (copied < 0)
      return {};
    if (static_cast<size_t>(copied) + 1 < room) {
      text.resize(static_cast<size_t>(copied));
      return text;
    }
  }
}

void MirrorField(HWND field, const Control& control, bool keepCaret) {
  if (WindowText(field) != control.Text()) {
    SetWindowTextA(field, control.Text().c_str());
    keepCaret = false;  // the caret stood in another text
  }
  if (!keepCaret)
    SendMessageA(field, EM_SETSEL, control.SelectionStart(), control.SelectionEnd());
}

// A template gives a combo box the height of its field and its dropped list
// together; the list is made as tall as its items, up to kComboVisibleItems of them.
void FitDroppedList(HWND combo, int count) {
  RECT closed{};
  GetWindowRect(combo, &closed);
  RECT dropped{};
  SendMessageA(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
  const auto itemHeight = static_cast<int>(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0));
  const int shown = std::clamp(count, 1, kComboVisibleItems);
  const int height = (closed.bottom - closed.top) + shown * itemHeight + 2;
  if (dropped.bottom - dropped.top != height) {
    SetWindowPos(combo, nullptr, 0, 0, closed.right - closed.left, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void MirrorCombo(HWND combo, const Control& control, bool keepCaret) {
  const auto& items = control.Items();
  bool same = SendMessageA(combo, CB_GETCOUNT, 0, 0) == static_cast<LRESULT>(items.size());
  for (size_t i = 0; same && i < items.size(); ++i)
    same = ComboItem(combo, static_cast<int>(i)) == items[i];
  if (!same) {
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : items)
      SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
  if (!same)
    FitDroppedList(combo, static_cast<int>(items.size()));
  if (SendMessageA(combo, CB_GETCURSEL, 0, 0) != control.Selection())
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(control.Selection()), 0);
  if (control.IsDropDownList())
    return;
  // The field of an editable combo: selecting an item rewrote it.
  if (WindowText(combo) != control.Text()) {
    SetWindowTextA(combo, control.Text().c_str());
    keepCaret = false;
  }
  if (!keepCaret) {
    SendMessageA(combo, CB_SETEDITSEL, 0,
                 MAKELPARAM(control.SelectionStart(), control.SelectionEnd()));
  }
}

void SetListItemState(HWND list, int index, UINT state, UINT mask) {
  LVITEMA item{};
  item.stateMask = mask;
  item.state = state;
  SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

// Items of a small-icon list are laid out as wide as the widest label, but the list
// may keep the width it had when it was empty (one default column) and cut longer
// labels with "...": turning the view to a list and back lays the items out anew,
// as wide as their text.
void FitItemsToTheirText(HWND list) {
  const LONG_PTR style = GetWindowLongPtrA(list, GWL_STYLE);
  if ((style & LVS_TYPEMASK) != LVS_SMALLICON)
    return;
  SetWindowLongPtrA(list, GWL_STYLE, (style & ~LVS_TYPEMASK) | LVS_LIST);
  SetWindowLongPtrA(list, GWL_STYLE, style);
}

void MirrorList(HWND list, const Control& control) {
  const auto& items = control.Items();
  bool same = SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == static_cast<LRESULT>(items.size());
  for (size_t i = 0; same && i < items.size(); ++i)
    same = ListItem(list, static_cast<int>(i)) == items[i];
  if (!same) {
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    for (size_t i = 0; i < items.size(); ++i) {
      LVITEMA item{};
      item.mask = LVIF_TEXT;
      item.iItem = static_cast<int>(i);
      item.pszText = const_cast<char*>(items[i].c_str());
      SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    FitItemsToTheirText(list);
  }
  // Index -1 sets every item: clear all, then show the framework's selection and focus.
  SetListItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  if (control.FocusedItem() >= 0)
    SetListItemState(list, control.FocusedItem(), LVIS_FOCUSED, LVIS_FOCUSED);
  if (control.Selection() >= 0) {
    SetListItemState(list, control.Selection(), LVIS_SELECTED, LVIS_SELECTED);
    SendMessageA(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(control.Selection()), FALSE);
  }
}

}  // namespace

std::string WindowText(WindowHandle handle) {
  const int length = GetWindowTextLengthA(handle);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(handle, text.data(), length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

void MirrorControl(const Control& control, WindowHandle handle, bool keepCaret) {
  switch (control.Class()) {
    case ControlClass::kButton:
    case ControlClass::kStatic:
      if (WindowText(handle) != control.Text())
        SetWindowTextA(handle, control.Text().c_str());
      return;
    case ControlClass::kEdit:
      MirrorField(handle, control, keepCaret);
      return;
    case ControlClass::kComboBox:
      MirrorCombo(handle, control, keepCaret);
      return;
    case ControlClass::kListView:
      MirrorList(handle, control);
      return;
  }
}

std::vector<std::string> ShownItems(ControlClass kind, WindowHandle handle) {
  std::vector<std::string> items;
  if (kind == ControlClass::kComboBox) {
    const LRESULT count = SendMessageA(handle, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i)
      items.push_back(ComboItem(handle, i));
  } else if (kind == ControlClass::kListView) {
    const LRESULT count = SendMessageA(handle, LVM_GETITEMCOUNT, 0, 0);
    for (int i = 0; i < count; ++i)
      items.push_back(ListItem(handle, i));
  }
  return items;
}

int ShownSelection(ControlClass kind, WindowHandle handle) {
  if (kind == ControlClass::kComboBox)
    return static_cast<int>(SendMessageA(handle, CB_GETCURSEL, 0, 0));
  if (kind == ControlClass::kListView)
    return static_cast<int>(
        SendMessageA(handle, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  return -1;
}

}  // namespace quorvel::ui::win32
