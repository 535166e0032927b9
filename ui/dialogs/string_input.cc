#include "ui/dialogs/string_input.h"

#include "ui/dialogs/event_value.h"
#include "ui/framework/data_exchange.h"

namespace quorvel::ui {
namespace {

constexpr int kInputEdit = 11011;
constexpr int kPromptStatic = 11012;

}  // namespace

CStringInput::CStringInput(CWnd* parent) : CDialog(IDD, parent) {}
CStringInput::~CStringInput() = default;

bool CStringInput::OnInitDialog() {
  CDialog::OnInitDialog();
  SetDlgItemText(kPromptStatic, prompt);
  return true;
}

void CStringInput::DoDataExchange(CDataExchange* pDX) {
  DDX_Text(pDX, kInputEdit, text);
  if (pDX->m_bSaveAndValidate && forEventValue && BreaksEventLine(text)) {
    MessageBox(kLineBreakerMessage, {}, MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
  }
}

std::span<const MessageEntry> CStringInput::GetMessageMap() const {
  return {};
}

}  // namespace quorvel::ui
