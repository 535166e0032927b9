#include "ui/backends/qt/shown_probe.h"

#include <cstdio>
#include <cstdlib>

#include <QEvent>
#include <QWindow>

namespace quorvel::ui::qt {
namespace {

class ExposeProbe : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* window = qobject_cast<QWindow*>(watched);
    if (event->type() == QEvent::Expose && window != nullptr && window->isExposed()) {
      std::fputs("sheet shown\n", stderr);
      std::fflush(stderr);
      std::_Exit(0);
    }
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

void ProbeFirstExpose(QWidget& window) {
  if (std::getenv("QUORVEL_EXIT_WHEN_SHOWN") == nullptr || window.windowHandle() == nullptr)
    return;
  window.windowHandle()->installEventFilter(new ExposeProbe(&window));
}

}  // namespace quorvel::ui::qt
