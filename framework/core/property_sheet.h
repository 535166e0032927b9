// CPropertySheet: a modal window with one tab per page and OK and Cancel buttons.
//
//   CPropertySheet sheet("Quorvel", nullptr, 0);
//   sheet.AddPage(&modelPage);              // the sheet refers to pages, owns none
//   sheet.EnableStackedTabs(false);        // a single row of tabs
//   if (sheet.DoModal() == IDOK) save();
//
// OK asks the active page to take its fields back (OnKillActive) and ends with IDOK
// only when that succeeds; Cancel ends with IDCANCEL and takes nothing back. A tab
// change is refused when the active page refuses to be left.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "framework/core/modal_window.h"
#include "framework/core/property_page.h"

namespace quorvel::ui {

class CPropertySheet : public ModalWindow {
 public:
  explicit CPropertySheet(std::string_view caption, CWnd* parent = nullptr, int selectPage = 0);
  ~CPropertySheet() override;

  void AddPage(CPropertyPage* page);
  int GetPageCount() const { return static_cast<int>(pages_.size()); }
  CPropertyPage* GetPage(int index) const;
  int GetActiveIndex() const { return active_; }
  CPropertyPage* GetActivePage() const;
  void EnableStackedTabs(bool stacked) { stackedTabs_ = stacked; }
  bool StackedTabs() const { return stackedTabs_; }

  // Runs the sheet: IDOK, IDCANCEL, or -1 when it could not be shown (no pages, a
  // page template missing, no backend).
  int DoModal();
  void EndDialog(int result);

  WindowKind Kind() const override { return WindowKind::kSheet; }
  const DialogTemplate* Template() const override { return nullptr; }
  std::vector<Control*> VisibleControls() const override;
  Control* FindVisibleControl(int id) const override;
  std::vector<std::string> TabCaptions() const override;
  int ActiveTab() const override { return active_; }
  const DialogTemplate* ActivePageTemplate() const override;
  InputResult UserClickTab(int index) override;
  InputResult UserTurnPage(int step) override;
  // Id 0 is the tab strip, which the user reaches with Tab too.
  InputResult UserSetFocus(int id) override;
  InputResult CheckClickTab(int index) const override;
  InputResult CheckTurnPage(int step) const override;
  InputResult CheckSetFocus(int id) const override;

  bool OnNotify(const Notification& notification) override;

  // Framework use: a page's caption changed.
  void PageTitleChanged();

 private:
  void Activate(int index);
  bool ChangePage(int index);
  void OnSheetOK();
  void OnSheetCancel();

  CWnd* parent_;
  int startPage_;
  int active_ = -1;
  bool stackedTabs_ = true;
  std::vector<CPropertyPage*> pages_;
};

}  // namespace quorvel::ui
