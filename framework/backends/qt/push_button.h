// A push button whose caption keeps to the button's width, as the platform's does:
// a caption too long for it shows its start and an ellipsis where it is cut, and
// the whole caption is then the button's tooltip. text() is always the whole
// caption; only the drawing is cut.
#pragma once

#include <QPushButton>
#include <QString>

namespace quorvel::ui::qt {

class PushButton : public QPushButton {
 public:
  explicit PushButton(const QString& caption, QWidget* parent = nullptr);

  // Replaces the caption (and the tooltip that goes with a cut one).
  void SetCaption(const QString& caption);
  // The caption as drawn: whole, or cut with an ellipsis.
  QString ShownCaption() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // The width the caption may take inside the button's frame.
  int CaptionRoom() const;
  void UpdateToolTip();
};

}  // namespace quorvel::ui::qt
