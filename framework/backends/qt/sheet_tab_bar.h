// The sheet's tabs: one row that scrolls when the captions do not fit. A click on a
// tab (or an arrow key while the strip has the focus) is reported; the tab changes
// only when the framework makes the page active, so a page that refuses to be left
// keeps its tab.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QTabBar>

namespace quorvel::ui::qt {

class SheetTabBar : public QTabBar {
 public:
  explicit SheetTabBar(QWidget* parent);

  std::function<void(int index)> onTabClicked;

  void MirrorCaptions(const std::vector<std::string>& captions);
  void MirrorActive(int index);
  // A caption as the user reads it (the tab bar's own text doubles '&').
  QString Caption(int index) const;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace quorvel::ui::qt
