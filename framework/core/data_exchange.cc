#include "framework/core/data_exchange.h"

#include <stdexcept>
#include <string>

#include "framework/core/ddx_conversions.h"
#include "framework/core/message_box.h"
#include "framework/core/wnd.h"

namespace quorvel::ui {
namespace {

// The platform's data-exchange messages: captioned with the application's name,
// exclamation icon, OK only.
void TellUser(std::string_view message) {
  AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

CDataExchange::CDataExchange(CWnd* window, bool saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(window) {}

Control& CDataExchange::PrepareCtrl(int id) {
  Control* control = m_pDlgWnd != nullptr ? m_pDlgWnd->GetDlgItem(id) : nullptr;
  if (control == nullptr) {
    throw std::logic_error("data exchange names control " + std::to_string(id) +
                           ", which the window does not have");
  }
  lastControlId_ = id;
  lastWasEdit_ = false;
  return *control;
}

Control& CDataExchange::PrepareEditCtrl(int id) {
  Control& control = PrepareCtrl(id);
  lastWasEdit_ = true;
  return control;
}

void CDataExchange::Fail() {
  if (m_bSaveAndValidate && lastControlId_ != 0) {
    // Back to the field the user must correct, its whole text selected (GotoDlgCtrl
    // selects an edit's text).
    m_pDlgWnd->GotoDlgCtrl(lastControlId_);
  }
  throw DataExchangeFailure();
}

void DDX_Text(CDataExchange* pDX, int id, uint32_t& value) {
  Control& control = pDX->PrepareEditCtrl(id);
  if (!pDX->m_bSaveAndValidate) {
    control.SetText(FormatUnsignedText(value));
    return;
  }
  const std::optional<uint32_t> parsed = ParseUnsignedText(control.Text());
  if (!parsed) {
    TellUser(kUnsignedRefusedMessage);
    pDX->Fail();
  }
  value = *parsed;
}

void DDX_Text(CDataExchange* pDX, int id, float& value) {
  Control& control = pDX->PrepareEditCtrl(id);
  if (!pDX->m_bSaveAndValidate) {
    control.SetText(FormatFloatText(value));
    return;
  }
  const std::optional<float> parsed = ParseFloatText(control.Text());
  if (!parsed) {
    TellUser(kFloatRefusedMessage);
    pDX->Fail();
  }
  value = *parsed;
}

void DDX_Text(CDataExchange* pDX, int id, std::string& value) {
  Control& control = pDX->PrepareEditCtrl(id);
  if (pDX->m_bSaveAndValidate) {
    value = control.Text();
  } else {
    control.SetText(value);
  }
}

void DDX_CBIndex(CDataExchange* pDX, int id, int& index) {
  Control& control = pDX->PrepareCtrl(id);
  if (pDX->m_bSaveAndValidate) {
    index = control.Selection();
  } else {
    control.SetComboSelection(index);
  }
}

void DDX_CBString(CDataExchange* pDX, int id, std::string& value) {
  Control& control = pDX->PrepareCtrl(id);
  if (pDX->m_bSaveAndValidate) {
    value = control.Text();
    return;
  }
  const int found = control.FindPrefix(-1, value);
  if (found >= 0) {
    control.SetComboSelection(found);
  } else if (!control.IsDropDownList()) {
    // A drop-down list has no field of its own to hold a text that is not an item.
    control.SetText(value);
  }
}

void DDX_Control(CDataExchange* pDX, int id, ControlHandle& handle) {
  pDX->PrepareCtrl(id);
  handle.Bind(pDX->m_pDlgWnd, id);
}

void DDV_MinMaxDWord(CDataExchange* pDX, uint32_t value, uint32_t minValue, uint32_t maxValue) {
  if (!pDX->m_bSaveAndValidate)
    return;
  if (value >= minValue && value <= maxValue)
    return;
  TellUser(RangeRefusedMessage(minValue, maxValue));
  pDX->Fail();
}

}  // namespace quorvel::ui
