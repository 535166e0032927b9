// CObjectInput: the "Input" dialog for choosing one name from a list (template 11009).
//
//   CObjectInput input;
//   input.choices = shipNames;
//   if (input.DoModal() == IDOK && input.selection >= 0) use(input.choices[input.selection]);
//
// It always opens with nothing chosen; OK without a choice leaves selection at -1.
#pragma once

#include <cstdint>
#include <span>

#include "framework/core/dialog.h"
#include "plugin/attributes/name_list.h"

namespace quorvel::ui {

class CObjectInput : public CDialog {
 public:
  explicit CObjectInput(CWnd* parent = nullptr);
  ~CObjectInput() override;

  NameList choices;
  int32_t selection = -1;  // position in choices; -1: nothing chosen

  bool OnInitDialog() override;
  std::span<const MessageEntry> GetMessageMap() const override;

 protected:
  void OnSelchangeObject();
};

}  // namespace quorvel::ui
