#include "framework/core/modal_window.h"

#include "framework/core/backend.h"

#include <algorithm>
#include <string>
#include <utility>

namespace quorvel::ui {
namespace {

std::vector<ModalWindow*>& Stack() {
  static std::vector<ModalWindow*> stack;
  return stack;
}

InputResult NoSuchControl(int id) {
  return InputResult::Refused("there is no control " + std::to_string(id) + " in this window");
}

InputResult NoSuchItem(const Control& control, int index) {
  return InputResult::Refused(control.Describe() + " has no item " + std::to_string(index) +
                              " (it holds " + std::to_string(control.ItemCount()) + ")");
}

}  // namespace

ModalWindow::ModalWindow() = default;

ModalWindow::~ModalWindow() {
  // A window destroyed while running (only possible through an exception path that
  // skipped its guard) must not stay on the stack.
  auto& stack = Stack();
  stack.erase(std::remove(stack.begin(), stack.end(), this), stack.end());
}

const std::vector<ModalWindow*>& ModalWindow::ModalStack() {
  return Stack();
}

int ModalWindow::TemplateId() const {
  const DialogTemplate* entry = Template();
  return entry != nullptr ? entry->id : 0;
}

std::vector<Control*> ModalWindow::VisibleControls() const {
  std::vector<Control*> result;
  for (const auto& control : Controls())
    result.push_back(control.get());
  return result;
}

Control* ModalWindow::FindVisibleControl(int id) const {
  return GetDlgItem(id);
}

void ModalWindow::SetFocusId(int id) {
  if (id == focusId_)
    return;
  focusId_ = id;
  if (observer_ != nullptr)
    observer_->OnFocusChanged(id);
}

void ModalWindow::MarkEnded(int result) {
  ended_ = true;
  result_ = result;
  if (observer_ != nullptr)
    observer_->OnEnded(result);
}

ModalWindow::RunGuard::RunGuard(ModalWindow& window, ModalWindow* owner) : window_(window) {
  auto& stack = Stack();
  window.owner_ = owner != nullptr ? owner : (stack.empty() ? nullptr : stack.back());
  window.ended_ = false;
  window.running_ = true;
  window.result_ = 0;
  window.focusId_ = 0;
  stack.push_back(&window);
}

ModalWindow::RunGuard::~RunGuard() {
  auto& stack = Stack();
  stack.erase(std::remove(stack.begin(), stack.end(), &window_), stack.end());
  window_.running_ = false;
  window_.observer_ = nullptr;
  window_.focusId_ = 0;
}

void ModalWindow::FocusFirstTabStop() {
  for (Control* control : VisibleControls()) {
    if (control->IsTabStop()) {
      control->Owner().GotoDlgCtrl(control->Id());
      return;
    }
  }
}

int ModalWindow::DefaultButtonId() const {
  for (const Control* control : VisibleControls()) {
    if (control->IsDefaultButton())
      return control->Id();
  }
  return IDOK;
}

void ModalWindow::ClickButton(Control& button) {
  button.Owner().OnNotify({BN_CLICKED, button.Id(), -1});
}

std::pair<const Control*, InputResult> ModalWindow::ControlForInput(int id) const {
  if (InputResult open = CheckOpen(); !open)
    return {nullptr, open};
  const Control* control = FindVisibleControl(id);
  if (control == nullptr)
    return {nullptr, NoSuchControl(id)};
  return {control, InputResult::Accepted()};
}

InputResult ModalWindow::CheckOpen() const {
  if (!running_ || ended_)
    return InputResult::Refused("the window is not open");
  return InputResult::Accepted();
}

InputResult ModalWindow::CheckSetText(int id, std::string_view text) const {
  const auto [control, found] = ControlForInput(id);
  if (!found)
    return found;
  if (control->IsEdit()) {
    if (control->IsReadOnly())
      return InputResult::Refused(control->Describe() + " is read-only");
    if (control->IsDigitsOnly()) {
      const auto bad =
          std::find_if(text.begin(), text.end(), [](char c) { return c < '0' || c > '9'; });
      if (bad != text.end()) {
        return InputResult::Refused(control->Describe() + " takes digits only, not '" +
                                    std::string(1, *bad) + "'");
      }
    }
  } else if (control->IsComboBox()) {
    if (control->IsDropDownList()) {
      return InputResult::Refused(control->Describe() + " has no field to type into");
    }
  } else {
    return InputResult::Refused(control->Describe() + " cannot be typed into");
  }
  // A single-line field ends at a line break: Enter would press the default button.
  if (text.find_first_of("\r\n") != std::string_view::npos) {
    return InputResult::Refused(control->Describe() +
                                " holds a single line; the text has a line break");
  }
  if (!control->ScrollsSideways()) {
    const Backend* backend = CurrentBackend();
    const std::size_t fits =
        backend != nullptr ? backend->FittingLength(*control, text) : text.size();
    if (fits < text.size()) {
      return InputResult::Refused(control->Describe() + " took the keys as \"" +
                                  std::string(text.substr(0, fits)) +
                                  "\" (the field takes no more than fits its width)");
    }
  }
  return InputResult::Accepted();
}

InputResult ModalWindow::CheckPickItem(int id, int index) const {
  const auto [control, found] = ControlForInput(id);
  if (!found)
    return found;
  if (control->IsComboBox()) {
    if (index < 0 || index >= control->ItemCount())
      return NoSuchItem(*control, index);
    return InputResult::Accepted();
  }
  if (control->IsListView()) {
    if (index < -1 || index >= control->ItemCount())
      return NoSuchItem(*control, index);
    return InputResult::Accepted();
  }
  return InputResult::Refused(control->Describe() + " has no items to pick");
}

InputResult ModalWindow::CheckDoubleClickItem(int id, int index) const {
  const auto [control, found] = ControlForInput(id);
  if (!found)
    return found;
  if (!control->IsListView())
    return InputResult::Refused(control->Describe() + " is not a list view");
  if (index < -1 || index >= control->ItemCount())
    return NoSuchItem(*control, index);
  return InputResult::Accepted();
}

InputResult ModalWindow::CheckClickButton(int id) const {
  const auto [control, found] = ControlForInput(id);
  if (!found)
    return found;
  if (!control->IsButton())
    return InputResult::Refused(control->Describe() + " is not a button");
  return InputResult::Accepted();
}

InputResult ModalWindow::CheckClickTab(int /*index*/) const {
  return InputResult::Refused("this window has no tabs");
}

InputResult ModalWindow::CheckTurnPage(int /*step*/) const {
  return InputResult::Refused("this window has no tabs");
}

InputResult ModalWindow::CheckPressListKey(int id, ListKey /*key*/) const {
  const auto [control, found] = ControlForInput(id);
  if (!found)
    return found;
  if (!control->IsListView())
    return InputResult::Refused(control->Describe() + " is not a list view");
  return InputResult::Accepted();
}

InputResult ModalWindow::CheckPressKey() const {
  return CheckOpen();
}

InputResult ModalWindow::CheckSetFocus(int id) const {
  return ControlForInput(id).second;
}

InputResult ModalWindow::UserSetText(int id, std::string_view text) {
  if (InputResult check = CheckSetText(id, text); !check)
    return check;
  Control* control = FindVisibleControl(id);
  control->Owner().GotoDlgCtrl(id);
  control->SetTypedText(text);
  control->Owner().OnNotify({control->IsEdit() ? EN_CHANGE : CBN_EDITCHANGE, id, -1});
  return InputResult::Accepted();
}

InputResult ModalWindow::UserPickItem(int id, int index) {
  if (InputResult check = CheckPickItem(id, index); !check)
    return check;
  Control* control = FindVisibleControl(id);
  SetFocusId(id);
  if (control->IsComboBox()) {
    control->SetComboSelection(index);
    control->Owner().OnNotify({CBN_SELCHANGE, id, -1});
  } else {
    control->ChangeListSelection(index);
  }
  return InputResult::Accepted();
}

InputResult ModalWindow::UserDoubleClickItem(int id, int index) {
  if (InputResult check = CheckDoubleClickItem(id, index); !check)
    return check;
  Control* control = FindVisibleControl(id);
  SetFocusId(id);
  // The first click of the two selects, as a single click would.
  control->ChangeListSelection(index);
  if (!ended_)
    control->Owner().OnNotify({NM_DBLCLK, id, index});
  return InputResult::Accepted();
}

InputResult ModalWindow::UserClickButton(int id) {
  if (InputResult check = CheckClickButton(id); !check)
    return check;
  SetFocusId(id);
  ClickButton(*FindVisibleControl(id));
  return InputResult::Accepted();
}

InputResult ModalWindow::UserClickTab(int index) {
  return CheckClickTab(index);
}

InputResult ModalWindow::UserTurnPage(int step) {
  return CheckTurnPage(step);
}

InputResult ModalWindow::UserPressListKey(int id, ListKey key) {
  if (InputResult check = CheckPressListKey(id, key); !check)
    return check;
  const Control& list = *FindVisibleControl(id);
  const int count = list.ItemCount();
  const int current = list.Selection() >= 0 ? list.Selection() : list.FocusedItem();
  int next = -1;
  switch (key) {
    case ListKey::kUp:
      next = current > 0 ? current - 1 : 0;
      break;
    case ListKey::kDown:
      next = current < 0 ? 0 : current + 1;
      break;
    case ListKey::kHome:
      next = 0;
      break;
    case ListKey::kEnd:
      next = count - 1;
      break;
  }
  if (next < 0 || next >= count)
    return InputResult::Accepted();
  return UserPickItem(id, next);
}

InputResult ModalWindow::UserPressEnter() {
  if (InputResult check = CheckPressKey(); !check)
    return check;
  // A focused push button takes Enter itself; otherwise the default button does.
  Control* focused = FindVisibleControl(focusId_);
  const int id = (focused != nullptr && focused->IsButton()) ? focused->Id() : DefaultButtonId();
  if (Control* button = FindVisibleControl(id); button != nullptr && button->IsButton()) {
    ClickButton(*button);
  } else {
    OnNotify({BN_CLICKED, id, -1});
  }
  return InputResult::Accepted();
}

InputResult ModalWindow::UserPressEscape() {
  if (InputResult check = CheckPressKey(); !check)
    return check;
  // Esc means Cancel even when there is no Cancel button to press.
  if (Control* button = FindVisibleControl(IDCANCEL); button != nullptr && button->IsButton()) {
    ClickButton(*button);
  } else {
    OnNotify({BN_CLICKED, IDCANCEL, -1});
  }
  return InputResult::Accepted();
}

InputResult ModalWindow::UserSetFocus(int id) {
  if (InputResult check = CheckSetFocus(id); !check)
    return check;
  SetFocusId(id);
  return InputResult::Accepted();
}

}  // namespace quorvel::ui
