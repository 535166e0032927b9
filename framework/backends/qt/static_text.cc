#include "framework/backends/qt/static_text.h"

#include <QPainter>
#include <QTextOption>

#include "framework/core/dialog_template.h"

namespace quorvel::ui::qt {

namespace {

constexpr int kCharactersPerTab = 8;

}  // namespace

StaticText::StaticText(uint32_t style, QWidget* parent)
    : QWidget(parent), centredVertically_((style & SS_CENTERIMAGE) != 0) {
  setFocusPolicy(Qt::NoFocus);
}

int StaticText::TabStopDistance() const {
  return kCharactersPerTab * fontMetrics().averageCharWidth();
}

void StaticText::SetText(const QString& text) {
  if (text == text_)
    return;
  text_ = text;
  update();
}

void StaticText::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setPen(
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
  QTextOption option(Qt::AlignLeft | (centredVertically_ ? Qt::AlignVCenter : Qt::AlignTop));
  option.setWrapMode(QTextOption::WordWrap);
  option.setTabStopDistance(TabStopDistance());
  painter.drawText(QRectF(rect()), text_, option);
}

}  // namespace quorvel::ui::qt
