#include "tests/framework/backends/qt/window_user.h"

#include <stdexcept>

#include <gtest/gtest.h>
#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <QtTest/QTest>

#include "framework/core/backend.h"
#include "framework/core/resource_scope.h"

namespace quorvel::ui::qt::testing {
namespace {

void BringToFront(QWidget* window) {
  window->activateWindow();
  QDeadlineTimer deadline(1000);
  while (QApplication::activeWindow() != window && !deadline.hasExpired()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QTest::qSleep(1);
  }
}

class ActionPlayer {
 public:
  ActionPlayer(QtBackend& backend, const std::vector<Action>& actions)
      : backend_(backend), actions_(actions) {
    timer_.setSingleShot(true);
    timer_.setInterval(0);
    QObject::connect(&timer_, &QTimer::timeout, [this] { PlayNext(); });
    backend_.SetWindowShownHandler([this] { timer_.start(); });
  }
  ~ActionPlayer() { backend_.SetWindowShownHandler(nullptr); }

  size_t Played() const { return next_; }

 private:
  void PlayNext() {
    if (backend_.OpenWindows().empty() || backend_.IsAborting())
      return;
    const OpenWindow top = backend_.OpenWindows().back();
    if (!busy_.empty() && busy_.back() == top.Widget()) {
      timer_.start();
      return;
    }
    if (next_ >= actions_.size()) {
      backend_.Abort(std::make_exception_ptr(std::runtime_error("the actions ran out")));
      return;
    }
    BringToFront(top.Widget());
    busy_.push_back(top.Widget());
    timer_.start();
    backend_.Guard([&] { actions_[next_++](top); });
    busy_.pop_back();
  }

  QtBackend& backend_;
  const std::vector<Action>& actions_;
  size_t next_ = 0;
  QTimer timer_;
  std::vector<QWidget*> busy_;
};

}  // namespace

bool PlayActions(TemplateSet templates, const std::vector<Action>& actions,
                 const std::function<void()>& run) {
  QtBackend backend;
  ResourceScope resources(templates);
  BackendScope scope(&backend);
  ActionPlayer player(backend, actions);
  try {
    run();
  } catch (const std::exception& error) {
    ADD_FAILURE() << error.what();
    return false;
  }
  if (player.Played() != actions.size()) {
    ADD_FAILURE() << (actions.size() - player.Played()) << " actions left over";
    return false;
  }
  return true;
}

int ControlIdOf(const QWidget* widget) {
  for (; widget != nullptr; widget = widget->parentWidget()) {
    const QVariant id = widget->property("controlId");
    if (id.isValid())
      return id.toInt();
  }
  return 0;
}

}  // namespace quorvel::ui::qt::testing
