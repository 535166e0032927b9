#include "plugin/dialogs/float_input.h"

#include <cmath>
#include <limits>

#include "framework/core/data_exchange.h"
#include "plugin/attributes/attribute_text.h"
#include "plugin/templates/templates.h"

namespace quorvel::ui {
namespace {

constexpr double kTwoTo31 = 2147483648.0;

}  // namespace

CFloatInput::CFloatInput(CWnd* parent) : CDialog(IDD_FLOAT_INPUT, parent) {}
CFloatInput::~CFloatInput() = default;

void CFloatInput::DoDataExchange(CDataExchange* pDX) {
  DDX_Text(pDX, IDC_INPUT, number);
  if (!pDX->m_bSaveAndValidate || !forEventValue)
    return;
  // Refused like any other bad entry: told, focus back on the edit, dialog stays open.
  if (number < 0) {
    MessageBox(kNegativeNumberMessage, {}, MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
  }
  if (!IsStorableEventNumber(number)) {
    MessageBox(kUnstorableNumberMessage, {}, MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
  }
}

std::span<const MessageEntry> CFloatInput::GetMessageMap() const {
  return {};
}

bool IsStorableEventNumber(float number) {
  const double wide = number;
  if (std::isnan(wide) || wide < 0)
    return false;
  if (wide < kTwoTo31)
    return true;
  return TextToNumber(NumberToText(wide)) == wide;
}

float NarrowToFloat(double value) {
  constexpr double kMax = std::numeric_limits<float>::max();
  if (std::isnan(value))
    return 0;
  if (value > kMax)
    return std::numeric_limits<float>::max();
  if (value < -kMax)
    return std::numeric_limits<float>::lowest();
  return static_cast<float>(value);
}

}  // namespace quorvel::ui
