// CEdit, CButton and CStatic: handles on the simple controls (see control_handle.h).
// Their text is read and written with GetWindowText / SetWindowText; a button's text
// is its caption.
#pragma once

#include "framework/core/control_handle.h"

namespace quorvel::ui {

class CEdit : public ControlHandle {
 public:
  using ControlHandle::ControlHandle;
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
