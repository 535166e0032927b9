#include "framework/core/control.h"

#include <algorithm>

#include "framework/core/constants.h"
#include "framework/core/message_map.h"
#include "framework/core/wnd.h"

namespace quorvel::ui {
namespace {

// Letters compare without regard to case, as in the platform's 8-bit code page: the
// plain alphabet and the accented capitals 0xC0 to 0xDE (but 0xD7, the multiplication
// sign) with their small letters 0x20 above. Other bytes must match exactly.
char FoldCase(char c) {
  const auto byte = static_cast<unsigned char>(c);
  const bool capital =
      (byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7);
  return capital ? static_cast<char>(byte + 0x20) : c;
}

bool BeginsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  if (prefix.size() > text.size())
    return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (FoldCase(text[i]) != FoldCase(prefix[i]))
      return false;
  }
  return true;
}

}  // namespace

Control::Control(CWnd& owner, const ControlTemplate& entry)
    : owner_(owner), entry_(entry), text_(entry.text) {}

std::string Control::Describe() const {
  const auto kind = [](ControlClass controlClass) {
    switch (controlClass) {
      case ControlClass::kButton:
        return "button";
      case ControlClass::kEdit:
        return "edit";
      case ControlClass::kStatic:
        return "static";
      case ControlClass::kComboBox:
        return "combo box";
      case ControlClass::kListView:
        return "list view";
    }
    return "control";
  };
  return std::string(kind(Class())) + " " + std::to_string(Id());
}

bool Control::AcceptsTyping() const {
  return (IsEdit() && !IsReadOnly()) || (IsComboBox() && !IsDropDownList());
}

int Control::FindPrefix(int startAfter, std::string_view prefix) const {
  const int count = ItemCount();
  if (prefix.empty() || count == 0)
    return -1;
  const int start = (startAfter < 0 || startAfter >= count - 1) ? 0 : startAfter + 1;
  for (int k = 0; k < count; ++k) {
    const int i = (start + k) % count;
    if (BeginsWithIgnoringCase(items_[i], prefix))
      return i;
  }
  return -1;
}

void Control::SetText(std::string_view text) {
  text_ = text;
  // Replacing the text puts the caret at its start, as the platform's edits do.
  selStart_ = 0;
  selEnd_ = 0;
  Changed();
}

void Control::SetTypedText(std::string_view text) {
  text_ = text;
  selStart_ = selEnd_ = static_cast<int>(text_.size());
  if (IsComboBox())
    selection_ = -1;
  Changed();
}

void Control::SetEditSelection(int start, int end) {
  const int length = static_cast<int>(text_.size());
  if (end < 0 || end > length)
    end = length;
  start = std::clamp(start, 0, end);
  selStart_ = start;
  selEnd_ = end;
  Changed();
}

int Control::InsertItem(int index, std::string_view text) {
  if (index < 0 || index > ItemCount())
    index = ItemCount();
  items_.insert(items_.begin() + index, std::string(text));
  if (selection_ >= index)
    ++selection_;
  if (focusedItem_ >= index)
    ++focusedItem_;
  Changed();
  return index;
}

bool Control::DeleteItem(int index) {
  if (index < 0 || index >= ItemCount())
    return false;
  items_.erase(items_.begin() + index);
  const auto shift = [index](int& position) {
    if (position == index) {
      position = -1;
    } else if (position > index) {
      --position;
    }
  };
  const bool selectedGone = selection_ == index;
  shift(selection_);
  shift(focusedItem_);
  if (IsComboBox() && selectedGone)
    text_.clear();
  Changed();
  return true;
}

void Control::DeleteAllItems() {
  items_.clear();
  selection_ = -1;
  focusedItem_ = -1;
  // Emptying a combo empties its field too.
  if (IsComboBox())
    text_.clear();
  Changed();
}

bool Control::SetItemText(int index, std::string_view text) {
  if (index < 0 || index >= ItemCount())
    return false;
  items_[index] = text;
  if (IsComboBox() && selection_ == index)
    text_ = text;
  Changed();
  return true;
}

bool Control::SetComboSelection(int index) {
  // As the platform does: -1 or an index out of range clears the selection and the
  // field, and only a real item counts as success.
  const bool valid = index >= 0 && index < ItemCount();
  selection_ = valid ? index : -1;
  text_ = valid ? items_[index] : std::string();
  selStart_ = 0;
  selEnd_ = static_cast<int>(text_.size());
  Changed();
  return valid;
}

void Control::ChangeListSelection(int index) {
  const int old = selection_;
  if (index == old)
    return;
  if (old >= 0) {
    selection_ = -1;
    Changed();
    owner_.OnNotify({LVN_ITEMCHANGED, Id(), old});
  }
  // A handler may have changed the list meanwhile; select only what still exists.
  if (index >= 0 && index < ItemCount()) {
    selection_ = index;
    focusedItem_ = index;
    Changed();
    owner_.OnNotify({LVN_ITEMCHANGED, Id(), index});
  }
}

bool Control::ShowListSelection(int index) {
  if (index < -1 || index >= ItemCount())
    return false;
  selection_ = index;
  if (index >= 0)
    focusedItem_ = index;
  Changed();
  return true;
}

void Control::Redraw() {
  Changed();
}

void Control::Changed() {
  owner_.ControlChanged(*this);
}

}  // namespace quorvel::ui
