#include "framework/core/dialog.h"

#include "framework/core/backend.h"
#include "framework/core/resource_scope.h"

namespace quorvel::ui {

CDialog::CDialog(int templateId, CWnd* parent) : templateId_(templateId), parent_(parent) {}

CDialog::~CDialog() = default;

const DialogTemplate* CDialog::Template() const {
  return template_ != nullptr ? template_ : FindTemplate(templateId_);
}

int CDialog::DoModal() {
  const DialogTemplate* entry = FindTemplate(templateId_);
  Backend* backend = CurrentBackend();
  if (entry == nullptr || backend == nullptr || IsRunning())
    return -1;

  ModalWindow* owner = parent_ != nullptr ? parent_->TopLevelWindow() : nullptr;
  RunGuard run(*this, owner);
  // Declared after the guard, so the window is torn down before the guard pops it.
  struct Teardown {
    CDialog& dialog;
    ~Teardown() {
      dialog.DestroyWindow();
      dialog.template_ = nullptr;
    }
  } teardown{*this};

  template_ = entry;
  SetTitleQuietly(entry->caption);
  CreateFromTemplate(*entry);
  if (OnInitDialog())
    FocusFirstTabStop();
  if (!IsEnded())
    backend->RunModal(*this);
  return Result();
}

void CDialog::EndDialog(int result) {
  MarkEnded(result);
}

bool CDialog::OnInitDialog() {
  UpdateData(false);
  return true;
}

void CDialog::OnOK() {
  if (!UpdateData(true))
    return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() {
  EndDialog(IDCANCEL);
}

bool CDialog::OnNotify(const Notification& notification) {
  if (CWnd::OnNotify(notification))
    return true;
  if (notification.code != BN_CLICKED)
    return false;
  if (notification.controlId == IDOK) {
    OnOK();
    return true;
  }
  if (notification.controlId == IDCANCEL) {
    OnCancel();
    return true;
  }
  return false;
}

}  // namespace quorvel::ui
