#include "ui/dialogs/object_input.h"

#include "ui/framework/combo_box.h"

namespace quorvel::ui {
namespace {

constexpr int kObjectCombo = 11013;

}  // namespace

CObjectInput::CObjectInput(CWnd* parent) : CDialog(IDD, parent) {}
CObjectInput::~CObjectInput() = default;

bool CObjectInput::OnInitDialog() {
  CDialog::OnInitDialog();
  CComboBox combo = GetComboBox(kObjectCombo);
  // The combo is not sorted, so a combo position is a position in choices.
  for (const std::string& name : choices)
    combo.AddString(name);
  combo.SetCurSel(selection);
  return true;
}

std::span<const MessageEntry> CObjectInput::GetMessageMap() const {
  static const MessageEntry kMap[] = {
      MessageEntry::Of<CObjectInput>(CBN_SELCHANGE, kObjectCombo, &CObjectInput::OnSelchangeObject),
  };
  return kMap;
}

void CObjectInput::OnSelchangeObject() {
  selection = GetComboBox(kObjectCombo).GetCurSel();
}

}  // namespace quorvel::ui
