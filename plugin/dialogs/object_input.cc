#include "plugin/dialogs/object_input.h"

#include "framework/core/combo_box.h"
#include "plugin/templates/templates.h"

namespace quorvel::ui {
CObjectInput::CObjectInput(CWnd* parent) : CDialog(IDD_OBJECT_INPUT, parent) {}
CObjectInput::~CObjectInput() = default;

bool CObjectInput::OnInitDialog() {
  CDialog::OnInitDialog();
  CComboBox combo = GetComboBox(IDC_OBJECT);
  // The combo is not sorted, so a combo position is a position in choices.
  for (const std::string& name : choices)
    combo.AddString(name);
  combo.SetCurSel(selection);
  return true;
}

std::span<const MessageEntry> CObjectInput::GetMessageMap() const {
  static const MessageEntry kMap[] = {
      MessageEntry::Of<CObjectInput>(CBN_SELCHANGE, IDC_OBJECT, &CObjectInput::OnSelchangeObject),
  };
  return kMap;
}

void CObjectInput::OnSelchangeObject() {
  selection = GetComboBox(IDC_OBJECT).GetCurSel();
}

}  // namespace quorvel::ui
