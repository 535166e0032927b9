#include "framework/core/control_handle.h"

#include "framework/core/combo_box.h"
#include "framework/core/list_ctrl.h"
#include "framework/core/simple_controls.h"
#include "framework/core/wnd.h"

namespace quorvel::ui {

Control* ControlHandle::GetControl() const {
  return window_ != nullptr ? window_->GetDlgItem(id_) : nullptr;
}

std::string ControlHandle::GetWindowText() const {
  const Control* control = GetControl();
  return control != nullptr ? control->Text() : std::string();
}

void ControlHandle::SetWindowText(std::string_view text) {
  if (Control* control = GetControl())
    control->SetText(text);
}

void ControlHandle::SetFocus() {
  if (window_ != nullptr)
    window_->GotoDlgCtrl(id_);
}

// Combo box.

namespace {
Control* Combo(const ControlHandle& handle) {
  Control* control = handle.GetControl();
  return (control != nullptr && control->IsComboBox()) ? control : nullptr;
}
Control* ListView(const ControlHandle& handle) {
  Control* control = handle.GetControl();
  return (control != nullptr && control->IsListView()) ? control : nullptr;
}
}  // namespace

int CComboBox::AddString(std::string_view text) {
  Control* combo = Combo(*this);
  return combo != nullptr ? combo->InsertItem(-1, text) : CB_ERR;
}

int CComboBox::GetCount() const {
  const Control* combo = Combo(*this);
  return combo != nullptr ? combo->ItemCount() : CB_ERR;
}

int CComboBox::GetCurSel() const {
  const Control* combo = Combo(*this);
  return combo != nullptr ? combo->Selection() : CB_ERR;
}

int CComboBox::SetCurSel(int index) {
  Control* combo = Combo(*this);
  if (combo == nullptr)
    return CB_ERR;
  return combo->SetComboSelection(index) ? index : CB_ERR;
}

int CComboBox::GetLBText(int index, std::string& text) const {
  const Control* combo = Combo(*this);
  if (combo == nullptr || index < 0 || index >= combo->ItemCount())
    return CB_ERR;
  text = combo->Items()[index];
  return static_cast<int>(text.size());
}

std::string CComboBox::GetLBText(int index) const {
  std::string text;
  GetLBText(index, text);
  return text;
}

int CComboBox::SelectString(int startAfter, std::string_view text) {
  Control* combo = Combo(*this);
  if (combo == nullptr)
    return CB_ERR;
  const int found = combo->FindPrefix(startAfter, text);
  if (found < 0)
    return CB_ERR;
  combo->SetComboSelection(found);
  return found;
}

// List view.

bool CListCtrl::DeleteAllItems() {
  Control* list = ListView(*this);
  if (list == nullptr)
    return false;
  list->DeleteAllItems();
  return true;
}

bool CListCtrl::DeleteItem(int item) {
  Control* list = ListView(*this);
  return list != nullptr && list->DeleteItem(item);
}

int CListCtrl::InsertItem(int index, std::string_view label) {
  Control* list = ListView(*this);
  if (list == nullptr || index < 0)
    return -1;
  return list->InsertItem(index, label);
}

int CListCtrl::GetItemCount() const {
  const Control* list = ListView(*this);
  return list != nullptr ? list->ItemCount() : 0;
}

std::string CListCtrl::GetItemText(int item, int subItem) const {
  const Control* list = ListView(*this);
  // The list has no columns: the label is the only text an item has.
  if (list == nullptr || subItem != 0 || item < 0 || item >= list->ItemCount())
    return {};
  return list->Items()[item];
}

bool CListCtrl::SetItemText(int item, int subItem, std::string_view text) {
  Control* list = ListView(*this);
  return list != nullptr && subItem == 0 && list->SetItemText(item, text);
}

bool CListCtrl::RedrawItems(int first, int last) {
  Control* list = ListView(*this);
  if (list == nullptr || first > last)
    return false;
  list->Redraw();
  return true;
}

int CListCtrl::GetNextItem(int start, unsigned flags) const {
  const Control* list = ListView(*this);
  if (list == nullptr)
    return -1;
  for (int i = start < 0 ? 0 : start + 1; i < list->ItemCount(); ++i) {
    if ((flags & LVNI_SELECTED) != 0 && i != list->Selection())
      continue;
    if ((flags & LVNI_FOCUSED) != 0 && i != list->FocusedItem())
      continue;
    return i;
  }
  return -1;
}

bool CListCtrl::SetSelectedItem(int item) {
  Control* list = ListView(*this);
  if (list == nullptr || item < -1 || item >= list->ItemCount())
    return false;
  list->ChangeListSelection(item);
  return true;
}

bool CListCtrl::ShowSelectedItem(int item) {
  Control* list = ListView(*this);
  return list != nullptr && list->ShowListSelection(item);
}

// Edit.

}  // namespace quorvel::ui
