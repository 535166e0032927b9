// Data exchange between a window's fields and its controls.
//
// A window overrides DoDataExchange and lists its fields once; the same code serves
// both directions (pDX->m_bSaveAndValidate is true when taking back):
//
//   void CNISAttrib::DoDataExchange(CDataExchange* pDX) {
//     DDX_Text(pDX, IDC_FRAME_RATE, frameRate);
//     DDV_MinMaxDWord(pDX, frameRate, 1, 1000);
//   }
//
// When a field is refused while taking back, the user is told with a message box
// (caption the application's name, exclamation icon, OK), the focus goes back to the
// control with its whole text selected, and UpdateData returns false. The rules:
// - uint32_t: shown in decimal. Taken back: blanks and tabs skipped, a leading minus
//   refused, decimal digits read, too large a number becomes 4294967295; refused when
//   the number is 0 but the first non-blank is not the digit 0 (empty, or no digits),
//   or when anything but blanks and tabs follows. "Please enter a positive integer."
// - float: shown with 6 significant digits (%.6g), or as many more as it takes to
//   read back as the same float (1234567 shows whole). Taken back: the whole text, blanks
//   and tabs allowed around it, must be a decimal number that fits a float.
//   "Please enter a number."
// - std::string: unchanged both ways.
// - DDV_MinMaxDWord: while taking back, refuses a number outside min..max (bounds
//   included) on the control exchanged just before it.
//   "Please enter an integer between 1 and 1000."
#pragma once

#include <cstdint>
#include <exception>
#include <string>

#include "framework/core/control_handle.h"

namespace quorvel::ui {

class CWnd;
class Control;

class CDataExchange {
 public:
  CDataExchange(CWnd* window, bool saveAndValidate);

  // true: controls to fields (take back); false: fields to controls (show).
  bool m_bSaveAndValidate;
  CWnd* m_pDlgWnd;

  // The control with this id; remembered as the one a later failure refers to. A
  // missing control is a programming error (std::logic_error).
  Control& PrepareCtrl(int id);
  Control& PrepareEditCtrl(int id);
  // Refuses the exchange: focus back to the last prepared control (an edit gets its
  // text selected) and unwinds to UpdateData, which returns false.
  [[noreturn]] void Fail();

 private:
  int lastControlId_ = 0;
  bool lastWasEdit_ = false;
};

// How Fail() unwinds to UpdateData; nothing else should catch it.
class DataExchangeFailure : public std::exception {
 public:
  const char* what() const noexcept override { return "data exchange refused a field"; }
};

void DDX_Text(CDataExchange* pDX, int id, uint32_t& value);
void DDX_Text(CDataExchange* pDX, int id, float& value);
void DDX_Text(CDataExchange* pDX, int id, std::string& value);
// The selected item of a combo; -1 for none.
void DDX_CBIndex(CDataExchange* pDX, int id, int& index);
// Show: select the first item beginning with value (CComboBox::SelectString over the
// whole list), else put value into the field. Take back: the field's text.
void DDX_CBString(CDataExchange* pDX, int id, std::string& value);
// Binds handle to control id (on every exchange; binding is idempotent).
void DDX_Control(CDataExchange* pDX, int id, ControlHandle& handle);
void DDV_MinMaxDWord(CDataExchange* pDX, uint32_t value, uint32_t minValue, uint32_t maxValue);

}  // namespace quorvel::ui
