// QtWindow: the real window of one framework window (a dialog or the property
// sheet) while the framework runs it modally.
//
// It lays the controls out from the template tables in dialog units, mirrors the
// framework's control state through the window observer hook, and turns what the
// user does with the widgets into the framework's user-input calls. An observer
// already set on the window (a test's, say) goes on hearing every change. The sheet is a
// row of tabs that scrolls when the captions do not fit, the active page's
// controls below it, and OK and Cancel.
#pragma once

#include <memory>
#include <vector>

#include <QDialog>

#include "framework/backends/qt/control_view.h"
#include "framework/backends/qt/dialog_units.h"
#include "framework/core/modal_window.h"
#include "framework/core/window_observer.h"

class QFrame;

namespace quorvel::ui::qt {

class QtBackend;
class SheetTabBar;

class QtWindow : public QDialog, private WindowObserver, private InputSink {
 public:
  QtWindow(ModalWindow& model, QtBackend& backend, QWidget* parent);
  ~QtWindow() override;

  ModalWindow& Model() const { return model_; }
  DialogBaseUnits BaseUnits() const { return units_; }

  // The widget of the visible control with this id (on the sheet: OK, Cancel and the
  // active page's controls), or nullptr.
  QWidget* ControlWidget(int id) const;
  const ControlView* ViewOf(int id) const;
  // The sheet's tabs; nullptr for a dialog.
  SheetTabBar* TabBar() const { return tabBar_; }
  // The sheet: the frame the pages are shown in, and the widget holding the page.
  QWidget* PageHost() const { return pageHost_; }

  // Runs the window until the framework ends it or the backend abandons it.
  void Run();
  // Closes the window without the framework (a failure is unwinding everything).
  void Abandon();

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void reject() override;

 private:
  // WindowObserver.
  void OnControlChanged(const Control& control) override;
  void OnFocusChanged(int controlId) override;
  void OnTitleChanged() override;
  void OnTabsChanged() override;
  void OnActivePageChanged(int index) override;
  void OnEnded(int result) override;
  // InputSink.
  void UserTyped(const Control& control, const QString& text) override;
  void UserPicked(const Control& control, int index) override;
  void UserDoubleClicked(const Control& control, int index) override;
  void UserPressedListKey(const Control& control, ListKey key) override;
  void UserClicked(const Control& control) override;

  void BuildDialog(const DialogTemplate& entry);
  void BuildSheet();
  void BuildPage();
  void Watch(const ControlView& view);
  bool HandleKey(const QKeyEvent& event);
  // Reports one user action; a refusal (which real widgets should never cause)
  // puts every widget back to the framework's state.
  template <class Action>
  void Report(Action&& action);
  void MirrorAll();
  void ApplyFocus(int id);
  void UpdateTabOrder();
  const ControlView* ViewOfWidget(const QObject* widget) const;
  ControlView* ViewOfControl(const Control& control) const;

  ModalWindow& model_;
  QtBackend& backend_;
  DialogBaseUnits units_;
  std::vector<std::unique_ptr<ControlView>> views_;      // the window's own controls
  std::vector<std::unique_ptr<ControlView>> pageViews_;  // sheet: the active page's
  SheetTabBar* tabBar_ = nullptr;
  QFrame* pageFrame_ = nullptr;
  QWidget* pageHost_ = nullptr;
  // The observer that was watching the window before; it hears everything too.
  WindowObserver* previous_ = nullptr;
  const Control* typing_ = nullptr;  // whose typed text is being reported
  bool abandoned_ = false;
  bool rebuilding_ = false;  // the page's widgets are being replaced
};

}  // namespace quorvel::ui::qt
