// A message box as the framework asks for it: caption, text, icon, the buttons of its
// flags in their order, the default button, and Esc only where the box can be
// dismissed (not on Yes/No).
#pragma once

#include <map>

#include <QMessageBox>

#include "framework/core/message_box.h"

namespace quorvel::ui::qt {

class MessageBoxView : public QMessageBox {
 public:
  MessageBoxView(const MessageBoxRequest& request, QWidget* parent);

  // The framework's answer (IDOK, IDYES, ...) for the button pressed; 0 when the box
  // was abandoned.
  int Answer() const;
  // The button that gives answer, or nullptr when the box does not offer it.
  QAbstractButton* ButtonFor(int answer) const;
  const MessageBoxRequest& Request() const { return request_; }

  // Closes the box without an answer (a failure is unwinding everything).
  void Abandon();

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  const MessageBoxRequest& request_;
  std::map<QAbstractButton*, int> answers_;
  bool abandoned_ = false;
};

}  // namespace quorvel::ui::qt
