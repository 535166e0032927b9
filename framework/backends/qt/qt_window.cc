#include "framework/backends/qt/qt_window.h"

#include <algorithm>

#include <QFocusEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>

#include "framework/backends/qt/qt_backend.h"
#include "framework/backends/qt/sheet_tab_bar.h"
#include "framework/backends/qt/text.h"
#include "framework/core/sheet_page_area.h"

namespace quorvel::ui::qt {
namespace {

// The sheet's layout, in dialog units: the margin around everything, the inset of
// a page inside its frame, the gap between the frame and the buttons and between
// the buttons, and the size of a button.
constexpr int kSheetMargin = 7;
constexpr int kPageInset = 4;
constexpr int kButtonGap = 4;
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;

bool IsUserFocus(Qt::FocusReason reason) {
  return reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
         reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason;
}

}  // namespace

QtWindow::QtWindow(ModalWindow& model, QtBackend& backend, QWidget* parent)
    : QDialog(parent), model_(model), backend_(backend) {
  setObjectName(model.Kind() == WindowKind::kSheet
                    ? QStringLiteral("sheet")
                    : QStringLiteral("dialog%1").arg(model.TemplateId()));
  // Every window here has a fixed size: a title and a close box, as the platform's
  // dialogs have, and no minimise or maximise button. Closing is Cancel (reject).
  // The close box must be asked for: a window that asks for no button at all lets
  // an X window manager offer every one.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  const DialogTemplate* entry = model.Template();
  setModal(true);
  const QFont font = DialogFontFor(entry != nullptr ? entry->font : kDialogFont);
  setFont(font);
  units_ = BaseUnitsOf(font);
  setWindowTitle(ToQString(model.Title()));

  if (model.Kind() == WindowKind::kSheet) {
    BuildSheet();
  } else if (entry != nullptr) {
    BuildDialog(*entry);
  }
  UpdateTabOrder();
  previous_ = model_.Observer();
  model_.SetObserver(this);
  ApplyFocus(model_.FocusId());
}

QtWindow::~QtWindow() {
  if (model_.Observer() == this)
    model_.SetObserver(previous_);
  // While the widgets go, Qt moves its focus among them: nothing to report.
  rebuilding_ = true;
  pageViews_.clear();
  views_.clear();
}

void QtWindow::BuildDialog(const DialogTemplate& entry) {
  InputSink& sink = *this;
  setFixedSize(ToPixels(entry.rect.width, entry.rect.height, units_));
  for (Control* control : model_.VisibleControls()) {
    views_.push_back(std::make_unique<ControlView>(*control, this, units_, sink));
    Watch(*views_.back());
  }
}

void QtWindow::BuildSheet() {
  // The page area is as large as the largest page, so that the sheet keeps its
  // size whichever page is active.
  const DialogRect pageArea = SheetPageArea(model_);
  const QSize pageSize = ToPixels(pageArea.width, pageArea.height, units_);
  const int marginX = DluToPixelsX(kSheetMargin, units_);
  const int marginY = DluToPixelsY(kSheetMargin, units_);
  const int insetX = DluToPixelsX(kPageInset, units_);
  const int insetY = DluToPixelsY(kPageInset, units_);
  const int frameWidth = pageSize.width() + 2 * insetX;

  tabBar_ = new SheetTabBar(this);
  tabBar_->setObjectName(QStringLiteral("tabs"));
  tabBar_->MirrorCaptions(model_.TabCaptions());
  tabBar_->MirrorActive(model_.ActiveTab());
  tabBar_->onTabClicked = [this](int index) { Report([&] { return model_.UserClickTab(index); }); };
  tabBar_->installEventFilter(this);
  const int tabHeight = tabBar_->sizeHint().height();
  tabBar_->setGeometry(marginX, marginY, frameWidth, tabHeight);

  pageFrame_ = new QFrame(this);
  pageFrame_->setFrameShape(QFrame::StyledPanel);
  pageFrame_->setGeometry(marginX, marginY + tabHeight - 1, frameWidth,
                          pageSize.height() + 2 * insetY);
  pageHost_ = new QWidget(pageFrame_);
  pageHost_->setObjectName(QStringLiteral("page"));
  pageHost_->setGeometry(insetX, insetY, pageSize.width(), pageSize.height());

  const QSize button = ToPixels(kButtonWidth, kButtonHeight, units_);
  const int gap = DluToPixelsX(kButtonGap, units_);
  const int buttonTop = pageFrame_->geometry().bottom() + 1 + DluToPixelsY(kButtonGap, units_);
  // The sheet's own controls are OK and Cancel, right-aligned under the frame.
  InputSink& sink = *this;
  const auto& own = model_.Controls();
  int right = marginX + frameWidth;
  for (auto it = own.rbegin(); it != own.rend(); ++it) {
    views_.insert(views_.begin(), std::make_unique<ControlView>(**it, this, units_, sink));
    views_.front()->Widget()->setGeometry(right - button.width(), buttonTop, button.width(),
                                          button.height());
    Watch(*views_.front());
    right -= button.width() + gap;
  }
  setFixedSize(marginX + frameWidth + marginX, buttonTop + button.height() + marginY);
  BuildPage();
}

void QtWindow::BuildPage() {
  InputSink& sink = *this;
  // Hiding the old page's widgets moves Qt's focus along the chain: that is no move
  // of the user's, and the views must not be looked up while they go.
  {
    const bool wasRebuilding = rebuilding_;
    rebuilding_ = true;
    std::vector<std::unique_ptr<ControlView>> old;
    old.swap(pageViews_);
    old.clear();
    rebuilding_ = wasRebuilding;
  }
  const auto& own = model_.Controls();
  for (Control* control : model_.VisibleControls()) {
    const bool isOwn = std::any_of(own.begin(), own.end(),
                                   [control](const auto& mine) { return mine.get() == control; });
    if (isOwn)
      continue;
    pageViews_.push_back(std::make_unique<ControlView>(*control, pageHost_, units_, sink));
    Watch(*pageViews_.back());
  }
}

void QtWindow::Watch(const ControlView& view) {
  view.Widget()->installEventFilter(this);
  if (QLineEdit* field = view.Field(); field != nullptr && field != view.Widget())
    field->installEventFilter(this);
}

void QtWindow::UpdateTabOrder() {
  std::vector<QWidget*> order;
  if (tabBar_ != nullptr)
    order.push_back(tabBar_);
  for (const auto& view : pageViews_)
    order.push_back(view->Widget());
  for (const auto& view : views_)
    order.push_back(view->Widget());
  for (size_t i = 1; i < order.size(); ++i)
    QWidget::setTabOrder(order[i - 1], order[i]);
}

QWidget* QtWindow::ControlWidget(int id) const {
  const ControlView* view = ViewOf(id);
  return view != nullptr ? view->Widget() : nullptr;
}

const ControlView* QtWindow::ViewOf(int id) const {
  for (const auto* views : {&views_, &pageViews_}) {
    for (const auto& view : *views) {
      if (view->Id() == id)
        return view.get();
    }
  }
  return nullptr;
}

const ControlView* QtWindow::ViewOfWidget(const QObject* widget) const {
  for (const auto* views : {&views_, &pageViews_}) {
    for (const auto& view : *views) {
      if (view->Widget() == widget || view->Field() == widget)
        return view.get();
    }
  }
  return nullptr;
}

ControlView* QtWindow::ViewOfControl(const Control& control) const {
  for (const auto* views : {&views_, &pageViews_}) {
    for (const auto& view : *views) {
      if (&view->Model() == &control)
        return view.get();
    }
  }
  return nullptr;
}

void QtWindow::Run() {
  while (!model_.IsEnded() && !abandoned_)
    exec();
}

// Takes the keyboard when it opens, also where no window manager hands it over (a
// bare X server, the offscreen platform).
void QtWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  activateWindow();
  if (tabBar_ != nullptr)
    backend_.SheetShown(*this);
}

void QtWindow::Abandon() {
  abandoned_ = true;
  QDialog::done(QDialog::Rejected);
}

template <class Action>
void QtWindow::Report(Action&& action) {
  backend_.Guard([&] {
    if (model_.IsEnded() || abandoned_)
      return;
    if (!action())
      MirrorAll();
  });
}

void QtWindow::MirrorAll() {
  for (const auto* views : {&views_, &pageViews_}) {
    for (const auto& view : *views)
      view->Mirror();
  }
  if (tabBar_ != nullptr) {
    tabBar_->MirrorCaptions(model_.TabCaptions());
    tabBar_->MirrorActive(model_.ActiveTab());
  }
}

void QtWindow::ApplyFocus(int id) {
  QWidget* target = id != 0 ? ControlWidget(id) : tabBar_;
  if (target != nullptr && !target->hasFocus())
    target->setFocus(Qt::OtherFocusReason);
}

bool QtWindow::HandleKey(const QKeyEvent& event) {
  const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
  const int key = event.key();
  if ((key == Qt::Key_Return || key == Qt::Key_Enter) && modifiers == Qt::NoModifier) {
    Report([&] { return model_.UserPressEnter(); });
    return true;
  }
  if (key == Qt::Key_Escape && modifiers == Qt::NoModifier) {
    Report([&] { return model_.UserPressEscape(); });
    return true;
  }
  // Ctrl+Tab and Ctrl+Page Down turn to the next page of the sheet, with Shift or
  // Page Up to the previous one.
  if (tabBar_ != nullptr && (modifiers & Qt::ControlModifier) != 0) {
    int step = 0;
    if (key == Qt::Key_Tab || key == Qt::Key_PageDown)
      step = (modifiers & Qt::ShiftModifier) != 0 ? -1 : 1;
    if (key == Qt::Key_Backtab || key == Qt::Key_PageUp)
      step = -1;
    if (step != 0) {
      Report([&] { return model_.UserTurnPage(step); });
      return true;
    }
  }
  return false;
}

bool QtWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && HandleKey(*static_cast<QKeyEvent*>(event)))
    return true;
  if (event->type() == QEvent::FocusIn && !rebuilding_ &&
      IsUserFocus(static_cast<QFocusEvent*>(event)->reason())) {
    // The tab strip is control 0 to the framework.
    int id = -1;
    if (watched == tabBar_) {
      id = 0;
    } else if (const ControlView* view = ViewOfWidget(watched)) {
      id = view->Id();
    }
    if (id >= 0 && model_.FocusId() != id)
      Report([&] { return model_.UserSetFocus(id); });
  }
  return QDialog::eventFilter(watched, event);
}

void QtWindow::keyPressEvent(QKeyEvent* event) {
  if (HandleKey(*event)) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

// Closing the window from its frame is Cancel, decided by the framework.
void QtWindow::reject() {
  if (abandoned_ || model_.IsEnded()) {
    QDialog::reject();
    return;
  }
  Report([&] { return model_.UserPressEscape(); });
}

void QtWindow::OnControlChanged(const Control& control) {
  if (ControlView* view = ViewOfControl(control))
    view->Mirror(&control == typing_);
  if (previous_ != nullptr)
    previous_->OnControlChanged(control);
}

void QtWindow::OnFocusChanged(int controlId) {
  ApplyFocus(controlId);
  if (previous_ != nullptr)
    previous_->OnFocusChanged(controlId);
}

void QtWindow::OnTitleChanged() {
  setWindowTitle(ToQString(model_.Title()));
  if (previous_ != nullptr)
    previous_->OnTitleChanged();
}

void QtWindow::OnTabsChanged() {
  if (tabBar_ != nullptr)
    tabBar_->MirrorCaptions(model_.TabCaptions());
  if (previous_ != nullptr)
    previous_->OnTabsChanged();
}

void QtWindow::OnActivePageChanged(int index) {
  if (tabBar_ != nullptr) {
    tabBar_->MirrorActive(index);
    BuildPage();
    UpdateTabOrder();
    // A page shown for the first time has just focused its first field, before its
    // widgets were there to take the focus.
    ApplyFocus(model_.FocusId());
  }
  if (previous_ != nullptr)
    previous_->OnActivePageChanged(index);
}

void QtWindow::OnEnded(int result) {
  QDialog::done(result);
  if (previous_ != nullptr)
    previous_->OnEnded(result);
}

void QtWindow::UserTyped(const Control& control, const QString& text) {
  const int id = control.Id();
  const std::string typed = ToText(text);
  typing_ = &control;
  Report([&] { return model_.UserSetText(id, typed); });
  typing_ = nullptr;
}

void QtWindow::UserPicked(const Control& control, int index) {
  const int id = control.Id();
  Report([&] { return model_.UserPickItem(id, index); });
}

void QtWindow::UserDoubleClicked(const Control& control, int index) {
  const int id = control.Id();
  Report([&] { return model_.UserDoubleClickItem(id, index); });
}

void QtWindow::UserPressedListKey(const Control& control, ListKey key) {
  const int id = control.Id();
  Report([&] { return model_.UserPressListKey(id, key); });
}

void QtWindow::UserClicked(const Control& control) {
  const int id = control.Id();
  Report([&] { return model_.UserClickButton(id); });
}

}  // namespace quorvel::ui::qt
