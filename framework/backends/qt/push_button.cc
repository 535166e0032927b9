#include "framework/backends/qt/push_button.h"

#include <QResizeEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "framework/backends/qt/tool_tip.h"

namespace quorvel::ui::qt {
namespace {

// The caption as a person reads it: "&" marks the next character as the button's
// key and is not shown, "&&" shows one "&".
QString WithoutMnemonics(const QString& caption) {
  QString shown;
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == QLatin1Char('&') && i + 1 < caption.size())
      ++i;
    shown += caption[i];
  }
  return shown;
}

}  // namespace

PushButton::PushButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
  UpdateToolTip();
}

void PushButton::SetCaption(const QString& caption) {
  if (caption == text())
    return;
  setText(caption);
  UpdateToolTip();
}

int PushButton::CaptionRoom() const {
  QStyleOptionButton option;
  initStyleOption(&option);
  const QRect contents = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
  // Half an average character of air on either side of the text.
  return contents.width() - fontMetrics().averageCharWidth();
}

QString PushButton::ShownCaption() const {
  return fontMetrics().elidedText(text(), Qt::ElideRight, CaptionRoom(), Qt::TextShowMnemonic);
}

void PushButton::paintEvent(QPaintEvent* /*event*/) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  option.text = ShownCaption();
  painter.drawControl(QStyle::CE_PushButton, option);
}

void PushButton::resizeEvent(QResizeEvent* event) {
  QPushButton::resizeEvent(event);
  UpdateToolTip();
}

void PushButton::UpdateToolTip() {
  const bool cut = ShownCaption() != text();
  setToolTip(cut ? PlainToolTip(WithoutMnemonics(text())) : QString());
}

}  // namespace quorvel::ui::qt
