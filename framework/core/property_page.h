// CPropertyPage: one page of a property sheet, built from a template.
//
// The page object outlives its window: the sheet creates the window the first time the
// page becomes active (OnInitDialog runs then and shows the fields), runs the show
// exchange again on each later activation (OnSetActive), and takes the fields back
// when the page is left or the sheet confirmed (OnKillActive); a refused take-back
// keeps the page active. The window is destroyed when the sheet closes; the fields
// stay for the caller to read.
//
//   class CNISAttrib : public CPropertyPage {
//    public:
//     CNISAttrib() : CPropertyPage(IDD_NIS_ATTRIBUTES) {}
//     ...
//   };
//   page.SetTitle("Actor: " + name);  // the tab shows this instead of the template title
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "framework/core/dialog.h"

namespace quorvel::ui {

class CPropertySheet;

class CPropertyPage : public CDialog {
 public:
  explicit CPropertyPage(int templateId);
  ~CPropertyPage() override;

  // The tab caption: the page's own once set, otherwise the template's title.
  void SetTitle(std::string_view caption);
  std::string GetTitle() const;

  // The page became active: returns true to accept. The default runs the show
  // exchange, except on the first activation (OnInitDialog has just done it).
  virtual bool OnSetActive();
  // The page is being left or the sheet confirmed: returns false to stay. The
  // default takes the fields back (UpdateData(true)).
  virtual bool OnKillActive();
  // The sheet was confirmed (after OnKillActive succeeded) or cancelled. A page's
  // OK and Cancel do not end anything themselves; the sheet ends.
  void OnOK() override;
  void OnCancel() override;

  CPropertySheet* GetParentSheet() const { return sheet_; }
  ModalWindow* TopLevelWindow() override;

 private:
  friend class CPropertySheet;
  // Called by the sheet.
  void CreatePageWindow(const DialogTemplate& entry);
  void DestroyPageWindow();
  CPropertySheet* sheet_ = nullptr;
  std::optional<std::string> ownTitle_;
  bool firstSetActive_ = true;
};

}  // namespace quorvel::ui
