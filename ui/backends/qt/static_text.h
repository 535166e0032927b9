// A static text control as the platform draws one: left-aligned, wrapped at word
// boundaries, tabs expanded to stops every eight average character widths, and
// centred vertically when the template asks for it (SS_CENTERIMAGE). The Event
// Editor's heading "Time\t| Event\t\t\t\t| Parameter" relies on the tab stops.
#ifndef QUORVEL_UI_BACKENDS_QT_STATIC_TEXT_H_
#define QUORVEL_UI_BACKENDS_QT_STATIC_TEXT_H_

#include <cstdint>

#include <QString>
#include <QWidget>

namespace quorvel::ui::qt {

class StaticText : public QWidget {
 public:
  // averageCharWidth: the dialog's horizontal base unit, in pixels.
  StaticText(uint32_t style, int averageCharWidth, QWidget* parent);

  void SetText(const QString& text);
  const QString& Text() const { return text_; }
  int TabStopDistance() const { return tabStop_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString text_;
  bool centredVertically_;
  int tabStop_;
};

}  // namespace quorvel::ui::qt

#endif  // QUORVEL_UI_BACKENDS_QT_STATIC_TEXT_H_
