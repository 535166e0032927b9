#include "plugin/dialogs/string_input.h"

#include "framework/core/data_exchange.h"
#include "plugin/dialogs/event_value.h"
#include "plugin/templates/templates.h"

namespace quorvel::ui {
CStringInput::CStringInput(CWnd* parent) : CDialog(IDD_STRING_INPUT, parent) {}
CStringInput::~CStringInput() = default;

bool CStringInput::OnInitDialog() {
  CDialog::OnInitDialog();
  SetDlgItemText(IDC_PROMPT, prompt);
  return true;
}

void CStringInput::DoDataExchange(CDataExchange* pDX) {
  DDX_Text(pDX, IDC_INPUT, text);
  if (pDX->m_bSaveAndValidate && forEventValue && BreaksEventLine(text)) {
    MessageBox(kLineBreakerMessage, {}, MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
  }
}

std::span<const MessageEntry> CStringInput::GetMessageMap() const {
  return {};
}

}  // namespace quorvel::ui
