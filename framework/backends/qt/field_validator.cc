#include "framework/backends/qt/field_validator.h"

#include <utility>

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

#include "framework/backends/qt/text.h"
#include "framework/core/control.h"
#include "framework/core/modal_window.h"
#include "framework/core/wnd.h"

namespace quorvel::ui::qt {
namespace {

// QLineEdit's own margin between its contents rectangle and the text.
constexpr int kLineEditTextMargin = 2;

}  // namespace

FieldValidator::FieldValidator(const Control& control, QLineEdit* field, QObject* parent)
    : QValidator(parent), control_(control), field_(field) {}

QValidator::State FieldValidator::validate(QString& input, int& /*position*/) const {
  // The framework's rules for what the control takes (digits only, one line).
  const ModalWindow* window = std::as_const(control_.Owner()).TopLevelWindow();
  if (control_.AcceptsTyping() && window != nullptr &&
      !window->CheckSetText(control_.Id(), ToText(input))) {
    return Invalid;
  }
  return Fits(input) ? Acceptable : Invalid;
}

bool FieldValidator::Fits(const QString& text) const {
  if (field_ == nullptr)
    return true;
  QStyleOptionFrame panel;
  panel.initFrom(field_);
  panel.lineWidth = field_->hasFrame()
                        ? field_->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &panel, field_)
                        : 0;
  const QRect contents =
      field_->style()->subElementRect(QStyle::SE_LineEditContents, &panel, field_);
  const QMargins margins = field_->textMargins();
  const int room = contents.width() - margins.left() - margins.right() - 2 * kLineEditTextMargin;
  // One pixel stays free for the caret after the last character.
  return field_->fontMetrics().horizontalAdvance(text) < room;
}

}  // namespace quorvel::ui::qt
