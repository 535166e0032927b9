// The state of one control of a window: what a backend shows.
//
// Windows build their controls from a template when they are created and destroy
// them when they close. The framework alone changes a control (through the handle
// classes CComboBox, CListCtrl, CEdit, CButton, CStatic and CWnd's text calls); every
// change is reported to the window's observer so that a backend can mirror it.
// Backends read controls and report what the user did through ModalWindow's User*
// calls; they never change a control directly.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/dialog_template.h"

namespace quorvel::ui {

class CWnd;

class Control {
 public:
  Control(CWnd& owner, const ControlTemplate& entry);
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  // From the template.
  int Id() const { return entry_.id; }
  ControlClass Class() const { return entry_.controlClass; }
  uint32_t Style() const { return entry_.style; }
  const ControlTemplate& Template() const { return entry_; }
  // Its kind and id as the user is told of it: "edit 504", "combo box 521".
  std::string Describe() const;
  // The window (dialog or page) whose message map hears this control.
  CWnd& Owner() const { return owner_; }

  // Kinds and styles that change behaviour.
  bool IsButton() const { return Class() == ControlClass::kButton; }
  bool IsEdit() const { return Class() == ControlClass::kEdit; }
  bool IsComboBox() const { return Class() == ControlClass::kComboBox; }
  bool IsListView() const { return Class() == ControlClass::kListView; }
  bool IsDigitsOnly() const { return IsEdit() && (Style() & ES_NUMBER) != 0; }
  bool IsReadOnly() const { return IsEdit() && (Style() & ES_READONLY) != 0; }
  bool IsDropDownList() const {
    return IsComboBox() && (Style() & CBS_TYPEMASK) == CBS_DROPDOWNLIST;
  }
  bool IsDefaultButton() const { return IsButton() && (Style() & 0x0Fu) == BS_DEFPUSHBUTTON; }
  bool IsTabStop() const { return (Style() & WS_TABSTOP) != 0; }
  // Whether a field scrolls sideways as the user types; one that does not stops
  // taking keys at its width.
  bool ScrollsSideways() const {
    return IsEdit() ? (Style() & ES_AUTOHSCROLL) != 0 : (Style() & CBS_AUTOHSCROLL) != 0;
  }
  // Whether the user can type into it: an edit that is not read-only, or the field
  // of a drop-down combo with an editable field.
  bool AcceptsTyping() const;

  // The text of an edit or static, the caption of a button, the field of a combo
  // (for a drop-down list: the text of the selected item, or empty).
  const std::string& Text() const { return text_; }
  // Items of a combo box or list view, in order.
  const std::vector<std::string>& Items() const { return items_; }
  int ItemCount() const { return static_cast<int>(items_.size()); }
  // Selected item of a combo box or list view; -1 for none.
  int Selection() const { return selection_; }
  // List view: the item with the focus rectangle; -1 for none.
  int FocusedItem() const { return focusedItem_; }
  // Edit: the selected characters [start, end); start == end is a caret.
  int SelectionStart() const { return selStart_; }
  int SelectionEnd() const { return selEnd_; }

  // The first item, searching after startAfter to the end and then from the start,
  // whose text begins with prefix, letters compared without regard to case; -1 when
  // none does or when prefix is empty. startAfter -1 searches from the first item.
  int FindPrefix(int startAfter, std::string_view prefix) const;

  // Framework use only: each change is reported to the window's observer.
  void SetText(std::string_view text);
  void SetEditSelection(int start, int end);         // end -1: to the end of the text
  int InsertItem(int index, std::string_view text);  // index -1 or past the end appends
  bool DeleteItem(int index);
  void DeleteAllItems();
  bool SetItemText(int index, std::string_view text);
  // Combo: select item (field shows its text) or -1 (field cleared for a drop-down list).
  bool SetComboSelection(int index);
  // The user typed text: the field or edit holds it with the caret at its end; a
  // combo's list selection is cleared, since the field no longer shows an item.
  void SetTypedText(std::string_view text);
  // List view: selects item index (-1: none) as a click does, sending LVN_ITEMCHANGED
  // to the owner for the item deselected and for the item selected.
  void ChangeListSelection(int index);
  // List view: shows item index (-1: none) selected and focused without telling the
  // owner, for a window that shows a selection it already keeps.
  bool ShowListSelection(int index);
  void Redraw();  // reports a change without one, so that a backend repaints

 private:
  void Changed();

  CWnd& owner_;
  const ControlTemplate& entry_;
  std::string text_;
  std::vector<std::string> items_;
  int selection_ = -1;
  int focusedItem_ = -1;
  int selStart_ = 0;
  int selEnd_ = 0;
};

}  // namespace quorvel::ui
