// CEdit, CButton and CStatic: handles on the simple controls (see control_handle.h).
// Their text is read and written with GetWindowText / SetWindowText; a button's text
// is its caption.
#pragma once

#include "framework/core/control_handle.h"

namespace quorvel::ui {

class CEdit : public ControlHandle {
 public:
  using ControlHandle::ControlHandle;
  // Selects characters [start, end); end -1 selects to the end.
  void SetSel(int start, int end);
  // The selection; false while the edit does not exist.
  bool GetSel(int& start, int& end) const;
};

class CButton : public ControlHandle {
 public:
  using ControlHandle::ControlHandle;
};

class CStatic : public ControlHandle {
 public:
  using ControlHandle::ControlHandle;
};

}  // namespace quorvel::ui
