// ControlHandle: the base of the handles on controls (CComboBox, CListCtrl, CEdit,
// CButton, CStatic).
//
// A handle names a control by its window and id; it is bound by DDX_Control or got
// from CWnd::GetComboBox(id) and friends. It looks the control up on each call, so it
// is safe to keep: while the window does not exist, calls do nothing and return the
// error value (CB_ERR, -1, false or empty).
#pragma once

#include <string>
#include <string_view>

#include "framework/core/control.h"

namespace quorvel::ui {

class CWnd;

class ControlHandle {
 public:
  ControlHandle() = default;
  ControlHandle(CWnd* window, int id) : window_(window), id_(id) {}

  void Bind(CWnd* window, int id) {
    window_ = window;
    id_ = id;
  }
  int GetDlgCtrlID() const { return id_; }
  // The control, or nullptr while its window does not exist.
  Control* GetControl() const;

  std::string GetWindowText() const;
  void SetWindowText(std::string_view text);
  // Gives this control the keyboard focus (an edit gets its text selected).
  void SetFocus();

 private:
  CWnd* window_ = nullptr;
  int id_ = 0;
};

}  // namespace quorvel::ui
