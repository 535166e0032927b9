#include "ui/backends/qt/field_validator.h"

#include <algorithm>

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

namespace quorvel::ui::qt {
namespace {

// QLineEdit's own margin between its contents rectangle and the text.
constexpr int kLineEditTextMargin = 2;

}  // namespace

FieldValidator::FieldValidator(bool digitsOnly, QLineEdit* field, QObject* parent)
    : QValidator(parent), digitsOnly_(digitsOnly), field_(field) {}

QValidator::State FieldValidator::validate(QString& input, int& /*position*/) const {
  if (digitsOnly_ &&
      std::any_of(input.begin(), input.end(), [](QChar c) { return c < u'0' || c > u'9'; })) {
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
