#include "framework/core/property_page.h"

#include "framework/core/property_sheet.h"

namespace quorvel::ui {

CPropertyPage::CPropertyPage(int templateId) : CDialog(templateId, nullptr) {}

// The sheet and its pages may be destroyed in any order, so neither destructor
// touches the other; a page refers to its sheet only while its window exists.
CPropertyPage::~CPropertyPage() = default;

void CPropertyPage::SetTitle(std::string_view caption) {
  ownTitle_ = std::string(caption);
  if (HasWindow() && sheet_ != nullptr)
    sheet_->PageTitleChanged();
}

std::string CPropertyPage::GetTitle() const {
  if (ownTitle_)
    return *ownTitle_;
  const DialogTemplate* entry = Template();
  return entry != nullptr ? std::string(entry->caption) : std::string();
}

bool CPropertyPage::OnSetActive() {
  // On the first activation OnInitDialog has just shown the fields.
  if (firstSetActive_) {
    firstSetActive_ = false;
  } else {
    UpdateData(false);
  }
  return true;
}

bool CPropertyPage::OnKillActive() {
  return UpdateData(true);
}

void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}

ModalWindow* CPropertyPage::TopLevelWindow() {
  return HasWindow() ? sheet_ : nullptr;
}

void CPropertyPage::CreatePageWindow(const DialogTemplate& entry) {
  firstSetActive_ = true;
  CreateFromTemplate(entry);
  if (OnInitDialog()) {
    for (const auto& control : Controls()) {
      if (control->IsTabStop()) {
        GotoDlgCtrl(control->Id());
        break;
      }
    }
  }
}

void CPropertyPage::DestroyPageWindow() {
  DestroyWindow();
  firstSetActive_ = true;
}

}  // namespace quorvel::ui
