// CFloatInput: the "Input" dialog for one decimal number (template 11007).
//
//   CFloatInput input;
//   input.number = 0.5f;
//   input.forEventValue = true;   // refuse what the stored number form cannot hold
//   if (input.DoModal() == IDOK) use(input.number);
#pragma once

#include <span>
#include <string_view>

#include "framework/core/dialog.h"

namespace quorvel::ui {

class CFloatInput : public CDialog {
 public:
  explicit CFloatInput(CWnd* parent = nullptr);
  ~CFloatInput() override;

  float number = 0;
  // When set, OK also refuses numbers that an event value cannot store: the stored
  // number form has no sign, and numbers of 2147483648 or more must be written back
  // exactly. Off, the dialog takes any number.
  bool forEventValue = false;

  void DoDataExchange(CDataExchange* pDX) override;
  std::span<const MessageEntry> GetMessageMap() const override;
};

inline constexpr std::string_view kNegativeNumberMessage =
    "Please enter a number of 0 or more: stored numbers carry no sign.";
inline constexpr std::string_view kUnstorableNumberMessage =
    "Please enter a number below 2147483648: this one cannot be stored exactly.";

// Whether an event value can hold `number` as it is: not negative, and below 2^31 or
// written back exactly by the number text form.
bool IsStorableEventNumber(float number);

// `value` rounded to a float, kept within the float range (the stored text may hold
// numbers far beyond it).
float NarrowToFloat(double value);

}  // namespace quorvel::ui
