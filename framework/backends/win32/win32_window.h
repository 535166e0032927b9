// Win32Window: the system's dialog of one framework window (a dialog or the property
// sheet) while the framework runs it modally.
//
// The dialog is built from the template table in dialog units and shows what the
// framework's controls hold, kept up to date through the window observer hook; what
// the user does with the system's controls goes to the framework's user-input calls,
// which decide everything. An observer already set on the window (a test's, say) goes
// on hearing every change.
//
// The sheet is a dialog with a tab control (one row of tabs, which scrolls when the
// captions do not fit), the active page below the tabs and OK and Cancel under it.
// Each page is a child dialog built from its template the first time it is shown.
#pragma once

#include <vector>

#include "framework/backends/win32/window_handle.h"
#include "framework/core/modal_window.h"
#include "framework/core/window_observer.h"

namespace quorvel::ui::win32 {

class Win32Backend;

// The id of the sheet's tab control.
inline constexpr int kSheetTabId = 0x3020;

class Win32Window : private WindowObserver {
 public:
  Win32Window(ModalWindow& model, Win32Backend& backend, WindowHandle owner);
  ~Win32Window() override;
  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;

  ModalWindow& Model() const { return model_; }
  // The system's window; nullptr before it is created and after it is gone.
  WindowHandle Handle() const { return handle_; }
  // The system's control that shows the visible control with this id (on the sheet:
  // OK, Cancel and the active page's controls), and that control; nullptr for none.
  WindowHandle ControlHandle(int id) const;
  const Control* ControlOf(int id) const;
  // The system's control that shows control, on any page; nullptr for none.
  WindowHandle HandleOf(const Control& control) const;
  // The sheet's tab control; nullptr for a dialog.
  WindowHandle TabControl() const { return tabs_; }
  // The sheet's page windows, by page index; nullptr for a page not shown yet.
  const std::vector<WindowHandle>& Pages() const { return pages_; }

  // Runs the dialog until the framework ends it or the backend abandons it.
  void Run();
  // Ends the dialog without the framework (a failure is unwinding everything).
  void Abandon();

 private:
  friend class WindowProcedures;

  // One framework control and the system's control that shows it.
  struct Bound {
    const Control* control = nullptr;
    WindowHandle handle = nullptr;
  };

  // WindowObserver.
  void OnControlChanged(const Control& control) override;
  void OnFocusChanged(int controlId) override;
  void OnTitleChanged() override;
  void OnTabsChanged() override;
  void OnActivePageChanged(int index) override;
  void OnEnded(int result) override;

  void Created(WindowHandle handle);
  void Destroyed();
  void BuildSheet();
  void ShowPage(int index);
  void LayOutSheet();
  void MirrorTabs();
  void MirrorAll();
  void ApplyFocus(int id);
  // Binds the children of parent, in order, to controls in template order.
  std::vector<Bound> BindChildren(WindowHandle parent, const std::vector<Control*>& controls);
  const Bound* FindBound(int id) const;
  const Bound* FindBound(WindowHandle handle) const;
  const Bound* FindBound(const Control& control) const;
  // Reports one user action; a refusal (which the system's controls should never
  // cause) puts every control back to the framework's state.
  template <class Action>
  void Report(Action&& action);

  // What the user did, from the system's notifications.
  void Command(WindowHandle from, int id, int code);
  // A press or a double click at x, y on a list view.
  void ListInput(const Bound& bound, unsigned message, int x, int y);
  void TabClicked(int x, int y);
  void TabKey(unsigned key);

  ModalWindow& model_;
  Win32Backend& backend_;
  WindowHandle owner_;
  WindowHandle handle_ = nullptr;
  WindowHandle tabs_ = nullptr;
  std::vector<Bound> own_;                     // the window's own controls
  std::vector<WindowHandle> pages_;            // sheet: page windows by index
  std::vector<std::vector<Bound>> pageBound_;  // sheet: each page's controls
  int activePage_ = -1;
  int pageLeft_ = 0;  // where the pages stand in the sheet, in pixels
  int pageTop_ = 0;
  // The observer that was watching the window before; it hears everything too.
  WindowObserver* previous_ = nullptr;
  const Control* typing_ = nullptr;  // whose typed text is being reported
  int mirroring_ = 0;                // changes made here, not by the user
  bool abandoned_ = false;
};

}  // namespace quorvel::ui::win32
