// CDialog: a modal dialog built from a template.
//
//   class CFloatInput : public CDialog {
//    public:
//     CFloatInput() : CDialog(IDD_FLOAT_INPUT) {}
//     float number = 0;
//    protected:
//     void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_INPUT, number); }
//   };
//
//   CFloatInput input;
//   input.number = 0.5f;
//   if (input.DoModal() == IDOK) use(input.number);
//
// DoModal finds the template among the installed resources (resource_scope.h), builds
// the controls, calls OnInitDialog (which shows the fields), runs the window through
// the installed backend and returns the value given to EndDialog: IDOK after the
// default OnOK (fields taken back; the dialog stays open when that fails), IDCANCEL
// after OnCancel, -1 when the dialog could not be shown (no template or no backend).
// Anything a handler raises leaves DoModal after the window has been torn down.
#pragma once

#include "framework/core/modal_window.h"

namespace quorvel::ui {

class CDialog : public ModalWindow {
 public:
  // parent: the window to be modal over; nullptr for the topmost one.
  explicit CDialog(int templateId, CWnd* parent = nullptr);
  ~CDialog() override;

  int DoModal();
  void EndDialog(int result);

  // Called once when the window has been created: the default shows the fields
  // (UpdateData(false)) and returns true, so that the focus goes to the first tab stop.
  virtual bool OnInitDialog();
  // IDOK pressed: take the fields back; end with IDOK only if that succeeded.
  virtual void OnOK();
  // IDCANCEL pressed (or Esc): end with IDCANCEL, nothing taken back.
  virtual void OnCancel();

  WindowKind Kind() const override { return WindowKind::kDialog; }
  const DialogTemplate* Template() const override;
  int GetTemplateId() const { return templateId_; }
  CWnd* GetParent() const { return parent_; }

  bool OnNotify(const Notification& notification) override;

 private:
  int templateId_;
  CWnd* parent_;
  const DialogTemplate* template_ = nullptr;  // while the window exists
};

}  // namespace quorvel::ui
