#include "tools/quorvel/exit_when_shown_qt.h"

#include <time.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QString>
#include <QStringList>
#include <QWindow>

#include "framework/backends/qt/qt_backend.h"
#include "framework/backends/qt/qt_window.h"
#include "framework/backends/qt/sheet_tab_bar.h"
#include "tools/timeline/view_qt.h"

namespace quorvel::app {
namespace {

using ui::qt::QtWindow;
using ui::qt::SheetTabBar;

double Milliseconds(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The process's CPU time and the wall time since it was made.
class Stopwatch {
 public:
  void Report(const QString& action) const {
    std::fprintf(stderr, "%s: %.1f %.1f\n", action.toUtf8().constData(),
                 Milliseconds(CLOCK_PROCESS_CPUTIME_ID) - cpu_,
                 Milliseconds(CLOCK_MONOTONIC) - wall_);
  }

 private:
  double cpu_ = Milliseconds(CLOCK_PROCESS_CPUTIME_ID);
  double wall_ = Milliseconds(CLOCK_MONOTONIC);
};

[[noreturn]] void Fail(const QString& action) {
  std::fprintf(stderr, "%s: failed\n", action.toUtf8().constData());
  std::fflush(stderr);
  std::_Exit(1);
}

// Lays out and paints the sheet now, as the next frame on screen would show it.
void PaintNow(QtWindow& sheet) {
  QCoreApplication::sendPostedEvents();
  sheet.repaint();
  QCoreApplication::sendPostedEvents();
}

void ClickLastTab(QtWindow& sheet) {
  SheetTabBar* tabs = sheet.TabBar();
  if (tabs == nullptr || tabs->count() == 0 || !tabs->onTabClicked)
    Fail(QStringLiteral("last-tab"));
  tabs->onTabClicked(tabs->count() - 1);
  if (tabs->currentIndex() != tabs->count() - 1)
    Fail(QStringLiteral("last-tab"));
  PaintNow(sheet);
}

// Closes the first window other than the sheet that is exposed, with Cancel as its
// close box gives it.
class CloseWhenExposed : public QObject {
 public:
  explicit CloseWhenExposed(QtWindow& sheet) : sheet_(sheet) {}
  bool closed = false;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* window = qobject_cast<QWindow*>(watched);
    if (!closed && event->type() == QEvent::Expose && window != nullptr && window->isExposed() &&
        window != sheet_.windowHandle()) {
      for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QDialog*>(widget);
        if (dialog != nullptr && widget->windowHandle() == window) {
          closed = true;
          QMetaObject::invokeMethod(dialog, &QDialog::reject, Qt::QueuedConnection);
        }
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QtWindow& sheet_;
};

void OpenAndClose(QtWindow& sheet, int id, const QString& action) {
  auto* button = qobject_cast<QPushButton*>(sheet.ControlWidget(id));
  if (button == nullptr)
    Fail(action);
  CloseWhenExposed closer(sheet);
  qApp->installEventFilter(&closer);
  button->click();  // returns once the window it opened has closed
  qApp->removeEventFilter(&closer);
  if (!closer.closed)
    Fail(action);
  PaintNow(sheet);
}

void RunActions(QtWindow& sheet, const QString& actions) {
  for (const QString& action : actions.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
    const Stopwatch watch;
    if (action == QStringLiteral("last-tab")) {
      ClickLastTab(sheet);
    } else if (action.startsWith(QStringLiteral("open-close:"))) {
      bool isNumber = false;
      const int id = action.mid(11).toInt(&isNumber);
      if (!isNumber)
        Fail(action);
      OpenAndClose(sheet, id, action);
    } else {
      Fail(action);
    }
    watch.Report(action);
  }
}

class ExposeProbe : public QObject {
 public:
  ExposeProbe(QtWindow& sheet, QString actions)
      : QObject(&sheet), sheet_(sheet), actions_(std::move(actions)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* window = qobject_cast<QWindow*>(watched);
    if (event->type() == QEvent::Expose && window != nullptr && window->isExposed()) {
      window->removeEventFilter(this);
      std::fputs("sheet shown\n", stderr);
      if (actions_ != QStringLiteral("1"))
        RunActions(sheet_, actions_);
      std::fflush(stderr);
      std::_Exit(0);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QtWindow& sheet_;
  QString actions_;
};

// The timeline's window, once first painted.
void ProbeTimeline(TimelineView& view, const std::string& request) {
  std::fprintf(stderr, "timeline shown\n");
  if (request == "scroll") {
    double slowestCpu = 0;
    double slowestWall = 0;
    int steps = 0;
    const auto step = [&](QScrollBar* bar, int value) {
      const double cpu = Milliseconds(CLOCK_PROCESS_CPUTIME_ID);
      const double wall = Milliseconds(CLOCK_MONOTONIC);
      bar->setValue(value);
      view.viewport()->repaint();
      slowestCpu = std::max(slowestCpu, Milliseconds(CLOCK_PROCESS_CPUTIME_ID) - cpu);
      slowestWall = std::max(slowestWall, Milliseconds(CLOCK_MONOTONIC) - wall);
      ++steps;
    };
    QScrollBar* down = view.verticalScrollBar();
    for (int value = 0; value < down->maximum(); value += down->pageStep()) {
      step(down, value + down->pageStep());
    }
    QKeyEvent plus(QEvent::KeyPress, Qt::Key_Plus, Qt::NoModifier);
    for (int i = 0; i < 8; ++i) {
      QCoreApplication::sendEvent(&view, &plus);
    }
    QScrollBar* across = view.horizontalScrollBar();
    for (int value = across->maximum(); value > 0; value -= across->pageStep()) {
      step(across, value - across->pageStep());
    }
    std::fprintf(stderr, "scroll: %d steps, slowest %.1f %.1f\n", steps, slowestCpu, slowestWall);
  }
  std::fflush(stderr);
  std::_Exit(0);
}

}  // namespace

std::optional<std::string> ExitWhenShownRequest() {
  const char* request = std::getenv(kExitWhenShownVariable);
  if (request == nullptr || *request == '\0') {
    return std::nullopt;
  }
  return std::string(request);
}

void InstallEditorProbe(ui::qt::QtBackend& backend) {
  const std::optional<std::string> request = ExitWhenShownRequest();
  if (!request) {
    return;
  }
  const QString actions = QString::fromStdString(*request);
  backend.SetSheetShownHandler([actions](QtWindow& sheet) {
    if (sheet.windowHandle() != nullptr) {
      sheet.windowHandle()->installEventFilter(new ExposeProbe(sheet, actions));
    }
  });
}

void InstallTimelineProbe(TimelineView& view) {
  const std::optional<std::string> request = ExitWhenShownRequest();
  if (!request) {
    return;
  }
  view.SetFirstPaintHandler([&view, request = *request] { ProbeTimeline(view, request); });
}

}  // namespace quorvel::app
