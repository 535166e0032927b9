#include "framework/core/wnd.h"

#include "framework/core/application.h"
#include "framework/core/combo_box.h"
#include "framework/core/data_exchange.h"
#include "framework/core/list_ctrl.h"
#include "framework/core/message_box.h"
#include "framework/core/modal_window.h"
#include "framework/core/simple_controls.h"

namespace quorvel::ui {

CWnd::CWnd() = default;
CWnd::~CWnd() = default;

void CWnd::SetWindowText(std::string_view text) {
  title_ = text;
  ModalWindow* top = TopLevelWindow();
  if (top != nullptr && static_cast<CWnd*>(top) == this && top->Observer() != nullptr) {
    top->Observer()->OnTitleChanged();
  }
}

Control* CWnd::GetDlgItem(int id) const {
  for (const auto& control : controls_) {
    if (control->Id() == id)
      return control.get();
  }
  return nullptr;
}

std::string CWnd::GetDlgItemText(int id) const {
  const Control* control = GetDlgItem(id);
  return control != nullptr ? control->Text() : std::string();
}

void CWnd::SetDlgItemText(int id, std::string_view text) {
  if (Control* control = GetDlgItem(id))
    control->SetText(text);
}

CComboBox CWnd::GetComboBox(int id) {
  return CComboBox(this, id);
}
CListCtrl CWnd::GetListCtrl(int id) {
  return CListCtrl(this, id);
}
CButton CWnd::GetButton(int id) {
  return CButton(this, id);
}

const ModalWindow* CWnd::TopLevelWindow() const {
  return const_cast<CWnd*>(this)->TopLevelWindow();
}

int CWnd::GetFocusId() const {
  const ModalWindow* top = TopLevelWindow();
  return top != nullptr ? top->FocusId() : 0;
}

void CWnd::GotoDlgCtrl(int id) {
  Control* control = GetDlgItem(id);
  ModalWindow* top = TopLevelWindow();
  if (control == nullptr || top == nullptr)
    return;
  // Reaching an edit from the keyboard selects its whole text, ready to be replaced.
  if (control->IsEdit())
    control->SetEditSelection(0, -1);
  top->SetFocusId(id);
}

bool CWnd::UpdateData(bool saveAndValidate) {
  if (!created_)
    return false;
  CDataExchange exchange(this, saveAndValidate);
  try {
    DoDataExchange(&exchange);
  } catch (const DataExchangeFailure&) {
    return false;
  }
  return true;
}

void CWnd::DoDataExchange(CDataExchange* /*pDX*/) {}

std::span<const MessageEntry> CWnd::GetMessageMap() const {
  return {};
}

int CWnd::MessageBox(std::string_view text, std::string_view caption, unsigned flags) {
  const std::string title = caption.empty() ? AfxGetAppName() : std::string(caption);
  return ::quorvel::ui::MessageBox(TopLevelWindow(), text, title, flags);
}

void CWnd::ControlChanged(const Control& control) {
  ModalWindow* top = TopLevelWindow();
  if (top != nullptr && top->Observer() != nullptr)
    top->Observer()->OnControlChanged(control);
}

bool CWnd::OnNotify(const Notification& notification) {
  for (const MessageEntry& entry : GetMessageMap()) {
    if (entry.Matches(notification)) {
      entry.Invoke(*this, notification);
      return true;
    }
  }
  return false;
}

void CWnd::CreateFromTemplate(const DialogTemplate& entry) {
  controls_.clear();
  for (const ControlTemplate& control : entry.controls) {
    controls_.push_back(std::make_unique<Control>(*this, control));
  }
  // The initial lists belong to the window's creation: they are in place before any
  // data exchange runs.
  for (const ComboInitList& list : entry.comboLists) {
    Control* combo = GetDlgItem(list.controlId);
    if (combo == nullptr)
      continue;
    for (std::string_view item : list.items)
      combo->InsertItem(-1, item);
  }
  if (title_.empty())
    title_ = entry.caption;
  created_ = true;
}

void CWnd::DestroyWindow() {
  created_ = false;
  controls_.clear();
}

}  // namespace quorvel::ui
