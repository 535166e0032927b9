#include "framework/core/property_sheet.h"

#include <string>

#include "framework/core/backend.h"
#include "framework/core/resource_scope.h"

namespace quorvel::ui {
namespace {

// The sheet's own buttons. The pages' controls are laid out below the tabs by the
// backend; these ids are what scripts and handlers use for OK and Cancel.
constexpr ControlTemplate kSheetButtons[] = {
    {IDOK, ControlClass::kButton, "OK", {0, 0, 50, 14}, BS_DEFPUSHBUTTON | WS_TABSTOP},
    {IDCANCEL, ControlClass::kButton, "Cancel", {0, 0, 50, 14}, BS_PUSHBUTTON | WS_TABSTOP},
};
constexpr DialogTemplate kSheetTemplate{
    0, "", {0, 0, 0, 0}, kModalDialogStyle, kDialogFont, kSheetButtons, {}};

}  // namespace

CPropertySheet::CPropertySheet(std::string_view caption, CWnd* parent, int selectPage)
    : parent_(parent), startPage_(selectPage) {
  SetTitleQuietly(caption);
}

CPropertySheet::~CPropertySheet() = default;

void CPropertySheet::AddPage(CPropertyPage* page) {
  if (page == nullptr)
    return;
  pages_.push_back(page);
  page->sheet_ = this;
  if (HasWindow() && Observer() != nullptr)
    Observer()->OnTabsChanged();
}

CPropertyPage* CPropertySheet::GetPage(int index) const {
  return (index >= 0 && index < GetPageCount()) ? pages_[index] : nullptr;
}

CPropertyPage* CPropertySheet::GetActivePage() const {
  return GetPage(active_);
}

int CPropertySheet::DoModal() {
  Backend* backend = CurrentBackend();
  if (pages_.empty() || backend == nullptr || IsRunning())
    return -1;
  for (const CPropertyPage* page : pages_) {
    if (FindTemplate(page->GetTemplateId()) == nullptr)
      return -1;
  }

  ModalWindow* owner = parent_ != nullptr ? parent_->TopLevelWindow() : nullptr;
  RunGuard run(*this, owner);
  struct Teardown {
    CPropertySheet& sheet;
    ~Teardown() {
      for (CPropertyPage* page : sheet.pages_) {
        if (page->sheet_ == &sheet && page->HasWindow())
          page->DestroyPageWindow();
      }
      sheet.active_ = -1;
      sheet.DestroyWindow();
    }
  } teardown{*this};

  CreateFromTemplate(kSheetTemplate);
  const int start = (startPage_ >= 0 && startPage_ < GetPageCount()) ? startPage_ : 0;
  Activate(start);
  if (!IsEnded())
    backend->RunModal(*this);
  return Result();
}

void CPropertySheet::EndDialog(int result) {
  MarkEnded(result);
}

void CPropertySheet::Activate(int index) {
  CPropertyPage* page = pages_[index];
  active_ = index;
  // The page window is created on its first activation only.
  if (!page->HasWindow())
    page->CreatePageWindow(*FindTemplate(page->GetTemplateId()));
  if (Observer() != nullptr)
    Observer()->OnActivePageChanged(index);
  page->OnSetActive();
}

bool CPropertySheet::ChangePage(int index) {
  if (index < 0 || index >= GetPageCount() || !HasWindow())
    return false;
  if (index == active_)
    return true;
  CPropertyPage* current = GetActivePage();
  if (current != nullptr && !current->OnKillActive())
    return false;
  Activate(index);
  return true;
}

InputResult CPropertySheet::CheckClickTab(int index) const {
  if (InputResult open = CheckOpen(); !open)
    return open;
  if (index < 0 || index >= GetPageCount()) {
    return InputResult::Refused("the sheet has no tab " + std::to_string(index) + " (it has " +
                                std::to_string(GetPageCount()) + ")");
  }
  return InputResult::Accepted();
}

InputResult CPropertySheet::CheckTurnPage(int /*step*/) const {
  return CheckOpen();
}

InputResult CPropertySheet::CheckSetFocus(int id) const {
  return id == 0 ? CheckOpen() : ModalWindow::CheckSetFocus(id);
}

InputResult CPropertySheet::UserClickTab(int index) {
  if (InputResult check = CheckClickTab(index); !check)
    return check;
  // The tab strip takes the focus; a page that refuses to be left moves it back to
  // the field it refused.
  SetFocusId(0);
  ChangePage(index);
  return InputResult::Accepted();
}

InputResult CPropertySheet::UserTurnPage(int step) {
  if (InputResult check = CheckTurnPage(step); !check)
    return check;
  const int count = GetPageCount();
  if (count == 0 || step == 0)
    return InputResult::Accepted();
  const int next = ((active_ + step) % count + count) % count;
  return UserClickTab(next);
}

InputResult CPropertySheet::UserSetFocus(int id) {
  if (InputResult check = CheckSetFocus(id); !check)
    return check;
  if (id != 0)
    return ModalWindow::UserSetFocus(id);
  // With the strip focused no button is, so Enter presses the default one.
  SetFocusId(0);
  return InputResult::Accepted();
}

void CPropertySheet::OnSheetOK() {
  CPropertyPage* current = GetActivePage();
  if (current != nullptr && !current->OnKillActive())
    return;
  for (CPropertyPage* page : pages_) {
    if (page->HasWindow())
      page->OnOK();
  }
  EndDialog(IDOK);
}

void CPropertySheet::OnSheetCancel() {
  for (CPropertyPage* page : pages_) {
    if (page->HasWindow())
      page->OnCancel();
  }
  EndDialog(IDCANCEL);
}

bool CPropertySheet::OnNotify(const Notification& notification) {
  if (CWnd::OnNotify(notification))
    return true;
  if (notification.code != BN_CLICKED)
    return false;
  if (notification.controlId == IDOK) {
    OnSheetOK();
    return true;
  }
  if (notification.controlId == IDCANCEL) {
    OnSheetCancel();
    return true;
  }
  return false;
}

std::vector<Control*> CPropertySheet::VisibleControls() const {
  std::vector<Control*> result = ModalWindow::VisibleControls();
  if (const CPropertyPage* page = GetActivePage(); page != nullptr && page->HasWindow()) {
    for (const auto& control : page->Controls())
      result.push_back(control.get());
  }
  return result;
}

Control* CPropertySheet::FindVisibleControl(int id) const {
  if (Control* own = GetDlgItem(id))
    return own;
  const CPropertyPage* page = GetActivePage();
  return (page != nullptr && page->HasWindow()) ? page->GetDlgItem(id) : nullptr;
}

std::vector<std::string> CPropertySheet::TabCaptions() const {
  std::vector<std::string> captions;
  for (const CPropertyPage* page : pages_)
    captions.push_back(page->GetTitle());
  return captions;
}

const DialogTemplate* CPropertySheet::ActivePageTemplate() const {
  const CPropertyPage* page = GetActivePage();
  return page != nullptr ? FindTemplate(page->GetTemplateId()) : nullptr;
}

void CPropertySheet::PageTitleChanged() {
  if (HasWindow() && Observer() != nullptr)
    Observer()->OnTabsChanged();
}

}  // namespace quorvel::ui
