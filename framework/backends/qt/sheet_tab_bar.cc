#include "framework/backends/qt/sheet_tab_bar.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QToolButton>
#include <QWheelEvent>

#include "framework/backends/qt/tab_bar_append.h"
#include "framework/backends/qt/tabs_out_of_sight.h"
#include "framework/backends/qt/text.h"

namespace quorvel::ui::qt {
namespace {

// A joint name may hold '&'; it must show as itself, not make a shortcut that would
// change the page behind the framework's back.
QString EscapeMnemonic(const QString& caption) {
  QString escaped = caption;
  return escaped.replace(QLatin1Char('&'), QLatin1String("&&"));
}

}  // namespace

SheetTabBar::SheetTabBar(QWidget* parent) : QTabBar(parent) {
  setUsesScrollButtons(true);
  setExpanding(false);
  setElideMode(Qt::ElideNone);
  setDrawBase(true);
  setFocusPolicy(Qt::TabFocus);
  // Only the strip itself is a tab stop, as on the platform: its scroll buttons are
  // for the mouse.
  for (QToolButton* button : findChildren<QToolButton*>())
    button->setFocusPolicy(Qt::NoFocus);
}

void SheetTabBar::MirrorCaptions(const std::vector<std::string>& captions) {
  const QSignalBlocker blocker(this);
  while (count() > static_cast<int>(captions.size()))
    removeTab(count() - 1);
  QStringList added;
  for (size_t i = 0; i < captions.size(); ++i) {
    const QString text = EscapeMnemonic(ToQString(captions[i]));
    const int index = static_cast<int>(i);
    if (index >= count()) {
      added.push_back(text);
    } else if (tabText(index) != text) {
      setTabText(index, text);
    }
  }
  AppendTabs(*this, added);
}

void SheetTabBar::MirrorActive(int index) {
  const QSignalBlocker blocker(this);
  if (index >= 0 && index < count() && index != currentIndex())
    setCurrentIndex(index);
}

QString SheetTabBar::Caption(int index) const {
  QString text = tabText(index);
  return text.replace(QLatin1String("&&"), QLatin1String("&"));
}

void SheetTabBar::mousePressEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() != Qt::LeftButton)
    return;
  const int index = tabAt(event->position().toPoint());
  if (index >= 0 && onTabClicked)
    onTabClicked(index);
}

void SheetTabBar::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
}

void SheetTabBar::keyPressEvent(QKeyEvent* event) {
  const int step = event->key() == Qt::Key_Left ? -1 : event->key() == Qt::Key_Right ? 1 : 0;
  if (step == 0) {
    QTabBar::keyPressEvent(event);
    return;
  }
  event->accept();
  const int index = currentIndex() + step;
  if (index >= 0 && index < count() && onTabClicked)
    onTabClicked(index);
}

// QTabBar prepares every tab for painting, even the thousands scrolled out of
// sight; a sheet of many joints would take a tenth of a second each time the strip is
// painted (a dialog opening over it, the active tab changing). It paints only the
// tabs in sight here, and one more on each side for the marks of tabs cut at the
// edges: what is on screen is the same.
void SheetTabBar::paintEvent(QPaintEvent* event) {
  const TabsOutOfSight hidden(*this);
  QTabBar::paintEvent(event);
}

// The wheel would flip pages without asking the page; it scrolls nothing here.
void SheetTabBar::wheelEvent(QWheelEvent* event) {
  event->ignore();
}

}  // namespace quorvel::ui::qt
