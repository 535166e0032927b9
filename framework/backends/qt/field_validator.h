// What a field lets the user type: what the framework would take into its control
// (digits only for ES_NUMBER, one line), and, for a field that does not scroll
// sideways (no ES_AUTOHSCROLL / CBS_AUTOHSCROLL), no more than fits its width.
#pragma once

#include <QPointer>
#include <QValidator>

class QLineEdit;

namespace quorvel::ui {
class Control;
}

namespace quorvel::ui::qt {

class FieldValidator : public QValidator {
 public:
  // field: the line edit whose width bounds the text, or nullptr for no bound.
  FieldValidator(const Control& control, QLineEdit* field, QObject* parent);

  State validate(QString& input, int& position) const override;
  // Whether text fits the field's width.
  bool Fits(const QString& text) const;

 private:
  const Control& control_;
  QPointer<QLineEdit> field_;
};

}  // namespace quorvel::ui::qt
