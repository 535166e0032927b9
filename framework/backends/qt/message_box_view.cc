#include "framework/backends/qt/message_box_view.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>

#include "framework/backends/qt/text.h"

namespace quorvel::ui::qt {
namespace {

QMessageBox::Icon IconFor(unsigned icon) {
  switch (icon) {
    case MB_ICONHAND:
      return QMessageBox::Critical;
    case MB_ICONQUESTION:
      return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
      return QMessageBox::Warning;
    case MB_ICONASTERISK:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

QMessageBox::StandardButton ButtonOf(int answer) {
  switch (answer) {
    case IDOK:
      return QMessageBox::Ok;
    case IDCANCEL:
      return QMessageBox::Cancel;
    case IDABORT:
      return QMessageBox::Abort;
    case IDRETRY:
      return QMessageBox::Retry;
    case IDIGNORE:
      return QMessageBox::Ignore;
    case IDYES:
      return QMessageBox::Yes;
    case IDNO:
      return QMessageBox::No;
    default:
      return QMessageBox::NoButton;
  }
}

}  // namespace

MessageBoxView::MessageBoxView(const MessageBoxRequest& request, QWidget* parent)
    : QMessageBox(parent), request_(request) {
  setObjectName(QStringLiteral("message"));
  // A fixed size, as every window here: a title and a close box, and no minimise or
  // maximise button. A box that cannot be dismissed ignores the close (closeEvent).
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setWindowTitle(ToQString(request.caption));
  // The text is the system's own, never markup.
  setTextFormat(Qt::PlainText);
  setText(ToQString(request.text));
  setIcon(IconFor(request.Icon()));
  for (int answer : request.Buttons()) {
    if (QAbstractButton* button = addButton(ButtonOf(answer)))
      answers_[button] = answer;
  }
  if (auto* preferred = qobject_cast<QPushButton*>(ButtonFor(request.DefaultButton())))
    setDefaultButton(preferred);
  if (QAbstractButton* escape = ButtonFor(request.EscapeAnswer()))
    setEscapeButton(escape);
}

QAbstractButton* MessageBoxView::ButtonFor(int answer) const {
  for (const auto& [button, value] : answers_) {
    if (value == answer)
      return button;
  }
  return nullptr;
}

int MessageBoxView::Answer() const {
  if (abandoned_)
    return 0;
  const auto found = answers_.find(clickedButton());
  return found != answers_.end() ? found->second : request_.EscapeAnswer();
}

void MessageBoxView::Abandon() {
  abandoned_ = true;
  done(0);
}

// Takes the keyboard when it opens, also where no window manager hands it over.
void MessageBoxView::showEvent(QShowEvent* event) {
  QMessageBox::showEvent(event);
  activateWindow();
}

// A Yes/No box has no way out but its buttons: Esc and closing do nothing.
void MessageBoxView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && request_.EscapeAnswer() == 0) {
    event->accept();
    return;
  }
  QMessageBox::keyPressEvent(event);
}

void MessageBoxView::closeEvent(QCloseEvent* event) {
  if (request_.EscapeAnswer() == 0 && !abandoned_) {
    event->ignore();
    return;
  }
  QMessageBox::closeEvent(event);
}

}  // namespace quorvel::ui::qt
