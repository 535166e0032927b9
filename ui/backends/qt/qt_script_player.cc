#include "ui/backends/qt/qt_script_player.h"

#include <algorithm>

#include <QAbstractItemView>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDialogButtonBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest/QTest>

#include "ui/backends/qt/control_view.h"
#include "ui/backends/qt/file_chooser_view.h"
#include "ui/backends/qt/list_view.h"
#include "ui/backends/qt/message_box_view.h"
#include "ui/backends/qt/qt_window.h"
#include "ui/backends/qt/sheet_tab_bar.h"
#include "ui/backends/qt/static_text.h"
#include "ui/backends/qt/text.h"
#include "ui/framework/message_box.h"

namespace quorvel::ui::qt {
namespace {

// How long a step waits, at most, for its window to come to the front.
constexpr int kActivationWait = 1000;

// The name a script gives the window.
std::string NameOf(const OpenWindow& open) {
  if (open.message != nullptr)
    return "message";
  if (open.file != nullptr)
    return "file";
  const ModalWindow& model = open.window->Model();
  return model.Kind() == WindowKind::kSheet ? "sheet" : std::to_string(model.TemplateId());
}

// The name and what the window shows, for failure messages.
std::string Describe(const OpenWindow& open) {
  if (open.message != nullptr)
    return "message " + QuoteScriptText(ToText(open.message->text()));
  return NameOf(open) + " " + QuoteScriptText(ToText(open.Widget()->windowTitle()));
}

std::string KindOf(const Control& control) {
  switch (control.Class()) {
    case ControlClass::kButton:
      return "button";
    case ControlClass::kEdit:
      return "edit";
    case ControlClass::kStatic:
      return "static";
    case ControlClass::kComboBox:
      return "combo box";
    case ControlClass::kListView:
      return "list view";
  }
  return "control";
}

std::string Named(const ControlView& view) {
  return KindOf(view.Model()) + " " + std::to_string(view.Id());
}

std::vector<std::string> ItemsOf(const QWidget* widget) {
  std::vector<std::string> items;
  if (const auto* combo = qobject_cast<const QComboBox*>(widget)) {
    for (int i = 0; i < combo->count(); ++i)
      items.push_back(ToText(combo->itemText(i)));
  } else if (const auto* list = dynamic_cast<const ListView*>(widget)) {
    for (int i = 0; i < list->count(); ++i)
      items.push_back(ToText(list->item(i)->text()));
  }
  return items;
}

// What a control shows: an edit's or static's text, a button's caption, a combo's field.
std::string ShownText(const QWidget* widget) {
  if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
    return ToText(edit->text());
  if (const auto* button = qobject_cast<const QPushButton*>(widget))
    return ToText(button->text());
  if (const auto* combo = qobject_cast<const QComboBox*>(widget))
    return ToText(combo->lineEdit() != nullptr ? combo->lineEdit()->text() : combo->currentText());
  if (const auto* label = dynamic_cast<const StaticText*>(widget))
    return ToText(label->Text());
  return {};
}

// Types text as keys would: printable ASCII as key presses, anything else (a tab, a
// character beyond ASCII) as an input method commits it.
void TypeText(QWidget* field, const QString& text) {
  for (QChar c : text) {
    if (c.unicode() >= 0x20 && c.unicode() < 0x7F) {
      QTest::keyClick(field, static_cast<char>(c.unicode()));
    } else {
      QInputMethodEvent commit;
      commit.setCommitString(QString(c));
      QApplication::sendEvent(field, &commit);
    }
  }
}

void BringToFront(QWidget* window) {
  if (QApplication::activeWindow() == window)
    return;
  window->activateWindow();
  QDeadlineTimer deadline(kActivationWait);
  while (QApplication::activeWindow() != window && !deadline.hasExpired()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QTest::qSleep(1);
  }
}

void ClickAt(QWidget* widget, QPoint point) {
  QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, point);
}

// The visible part of an item, scrolled into view as the user would scroll to it.
QRect ItemArea(QAbstractItemView* view, int row) {
  const QModelIndex index = view->model()->index(row, 0);
  view->scrollTo(index);
  return view->visualRect(index).intersected(view->viewport()->rect());
}

}  // namespace

QtScriptPlayer::QtScriptPlayer(QtBackend& backend, Script script)
    : backend_(backend), script_(std::move(script)), timer_(std::make_unique<QTimer>()) {
  timer_->setSingleShot(true);
  timer_->setInterval(0);
  QObject::connect(timer_.get(), &QTimer::timeout, [this] { PlayNext(); });
  backend_.SetWindowShownHandler([this] {
    if (!failed_)
      timer_->start();
  });
}

QtScriptPlayer::~QtScriptPlayer() {
  backend_.SetWindowShownHandler(nullptr);
}

bool QtScriptPlayer::IsFinished() const {
  return next_ >= script_.steps.size();
}

void QtScriptPlayer::CheckFinished() const {
  if (IsFinished())
    return;
  const Step& step = script_.steps[next_];
  throw ScriptFailure(step.line,
                      StepHead(step) + ": the step is left over; the last window has closed");
}

void QtScriptPlayer::PlayNext() {
  if (failed_ || backend_.IsAborting())
    return;
  const std::vector<OpenWindow>& open = backend_.OpenWindows();
  // With no window open there is nothing to act on; the next window restarts the pump.
  if (open.empty())
    return;
  const OpenWindow top = open.back();
  // Events processed while a step runs must not start the next step on the same window.
  if (!busy_.empty() && busy_.back() == top.Widget()) {
    timer_->start();
    return;
  }
  try {
    if (next_ >= script_.steps.size()) {
      throw ScriptFailure(script_.lineCount,
                          "the script ends while window " + Describe(top) + " is still open");
    }
    const Step& step = script_.steps[next_++];
    // The user acts on the window in front, which has the keyboard.
    BringToFront(top.Widget());
    if (beforeStep_)
      beforeStep_(step, top.Widget());
    busy_.push_back(top.Widget());
    // The following step: in a window this one opens, or in this one when it is done.
    timer_->start();
    struct Done {
      std::vector<QWidget*>& busy;
      ~Done() { busy.pop_back(); }
    } done{busy_};
    PlayStep(step, top);
  } catch (...) {
    failed_ = true;
    timer_->stop();
    backend_.Abort(std::current_exception());
  }
}

void QtScriptPlayer::PlayStep(const Step& step, const OpenWindow& top) {
  const auto notFor = [&](const char* what) {
    FailStep(step,
             std::string("does not apply to ") + what + "; the topmost window is " + Describe(top));
  };
  const auto requireWindow = [&]() -> QtWindow& {
    if (top.window == nullptr)
      notFor(top.message != nullptr ? "a message box" : "the file chooser");
    return *top.window;
  };
  const auto requireSheet = [&]() -> SheetTabBar& {
    QtWindow& window = requireWindow();
    if (window.TabBar() == nullptr)
      notFor("a dialog");
    return *window.TabBar();
  };
  const auto control = [&]() -> const ControlView& {
    const ControlView* view = requireWindow().ViewOf(step.id);
    if (view == nullptr || view->Widget() == nullptr || !view->Widget()->isVisible()) {
      FailStep(step,
               "there is no control " + std::to_string(step.id) + " in window " + Describe(top));
    }
    return *view;
  };
  const auto requireItems = [&](const ControlView& view) {
    if (!view.Model().IsComboBox() && !view.Model().IsListView()) {
      FailStep(step, "control " + std::to_string(step.id) + " is not a combo box or list view");
    }
  };
  const auto requireItem = [&](const ControlView& view, int index, int lowest) {
    const int count = static_cast<int>(ItemsOf(view.Widget()).size());
    if (index < lowest || index >= count) {
      FailStep(step, Named(view) + " has no item " + std::to_string(index) + " (it holds " +
                         std::to_string(count) + ")");
    }
  };

  switch (step.kind) {
    case StepKind::kWindow:
      if (NameOf(top) != step.name)
        FailStep(step, "the topmost window is " + Describe(top));
      return;

    case StepKind::kTab: {
      SheetTabBar& tabs = requireSheet();
      if (step.number < 0 || step.number >= tabs.count()) {
        FailStep(step, "the sheet has no tab " + std::to_string(step.number) + " (it has " +
                           std::to_string(tabs.count()) + ")");
      }
      // Scroll the row with its arrow buttons until the whole tab can be seen.
      auto* left = tabs.findChild<QToolButton*>(QStringLiteral("ScrollLeftButton"));
      auto* right = tabs.findChild<QToolButton*>(QStringLiteral("ScrollRightButton"));
      for (int guard = 0; guard <= tabs.count(); ++guard) {
        const QRect area = tabs.tabRect(step.number);
        const int visibleRight = (left != nullptr && left->isVisible()) ? left->x() : tabs.width();
        if (area.left() < 0 && right != nullptr && left != nullptr && left->isVisible()) {
          QTest::mouseClick(left, Qt::LeftButton);
        } else if (area.right() >= visibleRight && right != nullptr && right->isVisible()) {
          QTest::mouseClick(right, Qt::LeftButton);
        } else {
          break;
        }
      }
      ClickAt(&tabs, tabs.tabRect(step.number).center());
      return;
    }

    case StepKind::kSet: {
      const ControlView& view = control();
      QLineEdit* field = view.Field();
      if (field == nullptr) {
        FailStep(step, Named(view) + (view.Model().IsComboBox() ? " has no field to type into"
                                                                : " cannot be typed into"));
      }
      if (field->isReadOnly())
        FailStep(step, Named(view) + " is read-only");
      if (step.text.find_first_of("\r\n") != std::string::npos)
        FailStep(step, Named(view) + " holds a single line; the text has a line break");
      const QString wanted = ToQString(step.text);
      ClickAt(field, field->rect().center());
      QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
      if (wanted.isEmpty() && !field->text().isEmpty())
        QTest::keyClick(field, Qt::Key_Delete);
      TypeText(field, wanted);
      if (field->text() == wanted)
        return;
      if (view.Model().IsDigitsOnly()) {
        const auto bad = std::find_if(step.text.begin(), step.text.end(),
                                      [](char c) { return c < '0' || c > '9'; });
        if (bad != step.text.end())
          FailStep(step, Named(view) + " takes digits only, not '" + std::string(1, *bad) + "'");
      }
      FailStep(step,
               Named(view) + " took the keys as " + QuoteScriptText(ToText(field->text())) +
                   (field->validator() != nullptr ? " (the field takes no more than fits its width)"
                                                  : ""));
    }

    case StepKind::kPick: {
      const ControlView& view = control();
      if (auto* combo = qobject_cast<QComboBox*>(view.Widget())) {
        requireItem(view, step.number, 0);
        QTest::keyClick(combo, Qt::Key_F4);
        QAbstractItemView* list = combo->view();
        if (!list->isVisible())
          FailStep(step, Named(view) + " did not drop its list");
        const QRect area = ItemArea(list, step.number);
        ClickAt(list->viewport(), area.center());
        if (list->isVisible()) {
          combo->hidePopup();
          FailStep(step, Named(view) + ": the dropped list did not take the click on item " +
                             std::to_string(step.number));
        }
        return;
      }
      if (auto* list = dynamic_cast<ListView*>(view.Widget())) {
        requireItem(view, step.number, -1);
        const QPoint point =
            step.number < 0 ? list->EmptySpot() : ItemArea(list, step.number).center();
        if (point.x() < 0)
          FailStep(step, Named(view) + " has no empty space left to click");
        ClickAt(list->viewport(), point);
        return;
      }
      FailStep(step, Named(view) + " has no items to pick");
    }

    case StepKind::kDoubleClick: {
      const ControlView& view = control();
      auto* list = dynamic_cast<ListView*>(view.Widget());
      if (list == nullptr)
        FailStep(step, Named(view) + " is not a list view");
      requireItem(view, step.number, -1);
      const QPoint point =
          step.number < 0 ? list->EmptySpot() : ItemArea(list, step.number).center();
      if (point.x() < 0)
        FailStep(step, Named(view) + " has no empty space left to click");
      // Press and release, then the second press that the system reports as a double
      // click, and its release.
      QPointer<QWidget> viewport = list->viewport();
      ClickAt(viewport, point);
      if (viewport != nullptr)
        QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, point);
      if (viewport != nullptr)
        QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, point);
      return;
    }

    case StepKind::kClick: {
      const ControlView& view = control();
      auto* button = qobject_cast<QPushButton*>(view.Widget());
      if (button == nullptr)
        FailStep(step, Named(view) + " is not a button");
      if (!button->isEnabled())
        FailStep(step, Named(view) + " is disabled");
      ClickAt(button, button->rect().center());
      return;
    }

    case StepKind::kExpect: {
      const ControlView& view = control();
      if (view.Model().IsListView())
        FailStep(step, "list view " + std::to_string(step.id) + " shows items; use expect-items");
      const std::string shown = ShownText(view.Widget());
      if (shown != step.text)
        FailStep(step, ExpectedFound(QuoteScriptText(step.text), QuoteScriptText(shown)));
      return;
    }

    case StepKind::kExpectItems: {
      const ControlView& view = control();
      requireItems(view);
      const std::vector<std::string> items = ItemsOf(view.Widget());
      if (items != step.items)
        FailStep(step, ExpectedFound(QuoteScriptList(step.items), QuoteScriptList(items)));
      return;
    }

    case StepKind::kExpectSelected: {
      const ControlView& view = control();
      requireItems(view);
      int selected = -1;
      if (const auto* combo = qobject_cast<const QComboBox*>(view.Widget())) {
        selected = combo->currentIndex();
      } else if (const auto* list = dynamic_cast<const ListView*>(view.Widget())) {
        selected = list->SelectedRow();
      }
      if (selected != step.number) {
        FailStep(step, ExpectedFound("item " + std::to_string(step.number),
                                     "item " + std::to_string(selected)));
      }
      return;
    }

    case StepKind::kExpectTabs: {
      const SheetTabBar& tabs = requireSheet();
      std::vector<std::string> captions;
      for (int i = 0; i < tabs.count(); ++i)
        captions.push_back(ToText(tabs.Caption(i)));
      if (captions != step.items)
        FailStep(step, ExpectedFound(QuoteScriptList(step.items), QuoteScriptList(captions)));
      return;
    }

    case StepKind::kExpectActive: {
      const int active = requireSheet().currentIndex();
      if (active != step.number) {
        FailStep(step, ExpectedFound("page " + std::to_string(step.number),
                                     "page " + std::to_string(active)));
      }
      return;
    }

    case StepKind::kExpectTitle: {
      const std::string title = ToText(top.Widget()->windowTitle());
      if (title != step.text)
        FailStep(step, ExpectedFound(QuoteScriptText(step.text), QuoteScriptText(title)));
      return;
    }

    case StepKind::kExpectMessage: {
      if (top.message == nullptr)
        notFor("this window, only to a message box");
      const std::string text = ToText(top.message->text());
      if (text != step.text)
        FailStep(step, ExpectedFound(QuoteScriptText(step.text), QuoteScriptText(text)));
      return;
    }

    case StepKind::kAnswer: {
      if (top.message == nullptr)
        notFor("this window, only to a message box");
      QAbstractButton* button = top.message->ButtonFor(AnswerFromWord(step.text));
      if (button == nullptr) {
        std::string words;
        for (int offered : top.message->Request().Buttons())
          words += (words.empty() ? "" : ", ") + std::string(AnswerWord(offered));
        FailStep(step, "the message box offers only " + words);
      }
      ClickAt(button, button->rect().center());
      return;
    }

    case StepKind::kExpectFolder: {
      if (top.file == nullptr)
        notFor("this window, only to the file chooser");
      const std::string& folder = top.file->Request().initialFolder;
      if (folder != step.text)
        FailStep(step, ExpectedFound(QuoteScriptText(step.text), QuoteScriptText(folder)));
      return;
    }

    case StepKind::kChoose: {
      if (top.file == nullptr)
        notFor("this window, only to the file chooser");
      auto* name = top.file->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      if (name == nullptr)
        FailStep(step, "the file chooser has no file name field");
      top.file->SetChecksFolder(false);
      ClickAt(name, name->rect().center());
      QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
      TypeText(name, ToQString(step.text));
      QTest::keyClick(name, Qt::Key_Return);
      if (top.file->isVisible())
        FailStep(step, "the file chooser did not take " + QuoteScriptText(step.text));
      return;
    }

    case StepKind::kCancel: {
      if (top.file == nullptr)
        notFor("this window, only to the file chooser");
      auto* buttons = top.file->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
      QPushButton* cancel =
          buttons != nullptr ? buttons->button(QDialogButtonBox::Cancel) : nullptr;
      if (cancel == nullptr)
        FailStep(step, "the file chooser has no Cancel button");
      ClickAt(cancel, cancel->rect().center());
      return;
    }
  }
}

}  // namespace quorvel::ui::qt
