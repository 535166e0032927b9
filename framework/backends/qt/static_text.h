// A static text control as the platform draws one: left-aligned, wrapped at word
// boundaries, tabs expanded to stops every eight average character widths of the
// font (its own average, as the platform's text drawing takes it, not the dialog
// base unit of the 52 letters), and centred vertically when the template asks for
// it (SS_CENTERIMAGE). The Event Editor's heading "Time\t| Event\t\t\t\t| Parameter"
// relies on the tab stops to stand over the list in one line.
#pragma once

#include <cstdint>

#include <QString>
#include <QWidget>

namespace quorvel::ui::qt {

class StaticText : public QWidget {
 public:
  StaticText(uint32_t style, QWidget* parent);

  void SetText(const QString& text);
  const QString& Text() const { return text_; }
  // Pixels between two tab stops.
  int TabStopDistance() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString text_;
  bool centredVertically_;
};

}  // namespace quorvel::ui::qt
