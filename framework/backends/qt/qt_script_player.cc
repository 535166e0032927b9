#include "framework/backends/qt/qt_script_player.h"

#include <exception>
#include <optional>
#include <string>
#include <utility>
#include <vector>

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

#include "framework/backends/qt/control_view.h"
#include "framework/backends/qt/file_chooser_view.h"
#include "framework/backends/qt/list_view.h"
#include "framework/backends/qt/message_box_view.h"
#include "framework/backends/qt/qt_window.h"
#include "framework/backends/qt/sheet_tab_bar.h"
#include "framework/backends/qt/static_text.h"
#include "framework/backends/qt/text.h"
#include "framework/core/message_box.h"

namespace quorvel::ui::qt {
namespace {

// How long a step waits, at most, for its window to come to the front.
constexpr int kActivationWait = 1000;

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

// One open window as its widgets show it; the user's actions as real input events.
class QtScriptWindow : public OpenScriptWindow<OpenWindow> {
 public:
  using OpenScriptWindow::OpenScriptWindow;

  const MessageBoxRequest* Message() const override {
    return open_.message != nullptr ? &open_.message->Request() : nullptr;
  }
  const FileChooserRequest* File() const override {
    return open_.file != nullptr ? &open_.file->Request() : nullptr;
  }
  std::string Title() const override { return ToText(open_.Widget()->windowTitle()); }
  std::string MessageText() const override { return ToText(open_.message->text()); }

  std::optional<ControlClass> ControlKind(int id) const override {
    const ControlView* view = open_.window->ViewOf(id);
    if (view == nullptr || view->Widget() == nullptr || !view->Widget()->isVisible())
      return std::nullopt;
    return view->Model().Class();
  }
  std::string ControlText(int id) const override { return ShownText(Widget(id)); }
  std::vector<std::string> ControlItems(int id) const override { return ItemsOf(Widget(id)); }
  int ControlSelection(int id) const override {
    if (const auto* combo = qobject_cast<const QComboBox*>(Widget(id)))
      return combo->currentIndex();
    if (const auto* list = dynamic_cast<const ListView*>(Widget(id)))
      return list->SelectedRow();
    return -1;
  }
  std::vector<std::string> TabCaptions() const override {
    const SheetTabBar& tabs = *open_.window->TabBar();
    std::vector<std::string> captions;
    for (int i = 0; i < tabs.count(); ++i)
      captions.push_back(ToText(tabs.Caption(i)));
    return captions;
  }
  int ActiveTab() const override { return open_.window->TabBar()->currentIndex(); }

  InputResult ClickTab(int index) override;
  InputResult Type(int id, const std::string& text) override;
  InputResult Pick(int id, int index) override;
  InputResult DoubleClick(int id, int index) override;
  InputResult Click(int id) override;
  InputResult Answer(int answer) override;
  InputResult Choose(const std::string& path) override;
  InputResult Cancel() override;

 private:
  const ControlView& View(int id) const { return *open_.window->ViewOf(id); }
  QWidget* Widget(int id) const { return View(id).Widget(); }
  static InputResult Refused(const ControlView& view, const std::string& what) {
    return InputResult::Refused(view.Model().Describe() + what);
  }
};

InputResult QtScriptWindow::ClickTab(int index) {
  SheetTabBar& tabs = *open_.window->TabBar();
  // Scroll the row with its arrow buttons until the whole tab can be seen.
  auto* left = tabs.findChild<QToolButton*>(QStringLiteral("ScrollLeftButton"));
  auto* right = tabs.findChild<QToolButton*>(QStringLiteral("ScrollRightButton"));
  for (int guard = 0; guard <= tabs.count(); ++guard) {
    const QRect area = tabs.tabRect(index);
    const int visibleRight = (left != nullptr && left->isVisible()) ? left->x() : tabs.width();
    if (area.left() < 0 && right != nullptr && left != nullptr && left->isVisible()) {
      QTest::mouseClick(left, Qt::LeftButton);
    } else if (area.right() >= visibleRight && right != nullptr && right->isVisible()) {
      QTest::mouseClick(right, Qt::LeftButton);
    } else {
      break;
    }
  }
  ClickAt(&tabs, tabs.tabRect(index).center());
  return InputResult::Accepted();
}

InputResult QtScriptWindow::Type(int id, const std::string& text) {
  const ControlView& view = View(id);
  QLineEdit* field = view.Field();
  if (field == nullptr)
    return Refused(view, " shows no field to type into");
  const QString wanted = ToQString(text);
  ClickAt(field, field->rect().center());
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  if (wanted.isEmpty() && !field->text().isEmpty())
    QTest::keyClick(field, Qt::Key_Delete);
  TypeText(field, wanted);
  if (field->text() == wanted)
    return InputResult::Accepted();
  return Refused(
      view,
      " took the keys as " + QuoteScriptText(ToText(field->text())) +
          (field->validator() != nullptr ? " (the field takes no more than fits its width)" : ""));
}

InputResult QtScriptWindow::Pick(int id, int index) {
  const ControlView& view = View(id);
  if (auto* combo = qobject_cast<QComboBox*>(view.Widget())) {
    QTest::keyClick(combo, Qt::Key_F4);
    QAbstractItemView* list = combo->view();
    if (!list->isVisible())
      return Refused(view, " did not drop its list");
    const QRect area = ItemArea(list, index);
    ClickAt(list->viewport(), area.center());
    if (list->isVisible()) {
      combo->hidePopup();
      return Refused(view,
                     ": the dropped list did not take the click on item " + std::to_string(index));
    }
    return InputResult::Accepted();
  }
  if (auto* list = dynamic_cast<ListView*>(view.Widget())) {
    const QPoint point = index < 0 ? list->EmptySpot() : ItemArea(list, index).center();
    if (point.x() < 0)
      return Refused(view, " has no empty space left to click");
    ClickAt(list->viewport(), point);
    return InputResult::Accepted();
  }
  return Refused(view, " shows no items to pick");
}

InputResult QtScriptWindow::DoubleClick(int id, int index) {
  const ControlView& view = View(id);
  auto* list = dynamic_cast<ListView*>(view.Widget());
  if (list == nullptr)
    return Refused(view, " shows no list to click");
  const QPoint point = index < 0 ? list->EmptySpot() : ItemArea(list, index).center();
  if (point.x() < 0)
    return Refused(view, " has no empty space left to click");
  // Press and release, then the second press that the system reports as a double
  // click, and its release.
  QPointer<QWidget> viewport = list->viewport();
  ClickAt(viewport, point);
  if (viewport != nullptr)
    QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, point);
  if (viewport != nullptr)
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, point);
  return InputResult::Accepted();
}

InputResult QtScriptWindow::Click(int id) {
  const ControlView& view = View(id);
  auto* button = qobject_cast<QPushButton*>(view.Widget());
  if (button == nullptr)
    return Refused(view, " shows no button to press");
  if (!button->isEnabled())
    return Refused(view, " is disabled");
  ClickAt(button, button->rect().center());
  return InputResult::Accepted();
}

InputResult QtScriptWindow::Answer(int answer) {
  QAbstractButton* button = open_.message->ButtonFor(answer);
  if (button == nullptr) {
    return InputResult::Refused("the message box shows no button " +
                                std::string(AnswerWord(answer)));
  }
  ClickAt(button, button->rect().center());
  return InputResult::Accepted();
}

InputResult QtScriptWindow::Choose(const std::string& path) {
  FileChooserView& chooser = *open_.file;
  auto* name = chooser.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  if (name == nullptr)
    return InputResult::Refused("the file chooser has no file name field");
  chooser.SetChecksFolder(false);
  ClickAt(name, name->rect().center());
  QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
  TypeText(name, ToQString(path));
  QTest::keyClick(name, Qt::Key_Return);
  if (chooser.isVisible())
    return InputResult::Refused("the file chooser did not take " + QuoteScriptText(path));
  return InputResult::Accepted();
}

InputResult QtScriptWindow::Cancel() {
  auto* buttons = open_.file->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
  QPushButton* cancel = buttons != nullptr ? buttons->button(QDialogButtonBox::Cancel) : nullptr;
  if (cancel == nullptr)
    return InputResult::Refused("the file chooser has no Cancel button");
  ClickAt(cancel, cancel->rect().center());
  return InputResult::Accepted();
}

}  // namespace

QtScriptPlayer::QtScriptPlayer(QtBackend& backend, Script script)
    : backend_(backend), pump_(std::move(script)), timer_(std::make_unique<QTimer>()) {
  timer_->setSingleShot(true);
  timer_->setInterval(0);
  QObject::connect(timer_.get(), &QTimer::timeout, [this] { PlayNext(); });
  backend_.SetWindowShownHandler([this] {
    if (!pump_.Failed())
      timer_->start();
  });
}

QtScriptPlayer::~QtScriptPlayer() {
  backend_.SetWindowShownHandler(nullptr);
}

void QtScriptPlayer::PlayNext() {
  if (pump_.Failed() || backend_.IsAborting())
    return;
  const std::vector<OpenWindow>& open = backend_.OpenWindows();
  // With no window open there is nothing to act on; the next window restarts the pump.
  if (open.empty())
    return;
  const OpenWindow top = open.back();
  // Events processed while a step runs must not start the next step on the same window.
  if (pump_.Busy(top.Widget())) {
    timer_->start();
    return;
  }
  QtScriptWindow window(top);
  pump_.PlayOn(
      window, top.Widget(),
      [&](const Step& step) {
        // The user acts on the window in front, which has the keyboard.
        BringToFront(top.Widget());
        if (beforeStep_)
          beforeStep_(step, top.Widget());
      },
      [&] { timer_->start(); },
      [&](std::exception_ptr error) {
        timer_->stop();
        backend_.Abort(std::move(error));
      });
}

}  // namespace quorvel::ui::qt
