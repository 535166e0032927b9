// ModalWindow: a window that a backend runs modally (a CDialog or the CPropertySheet).
//
// This is the whole surface a backend works with. It reads what to show (kind,
// template, caption, visible controls, tabs, focus) and reports what the user did
// through the User* calls; the framework then does all the behaviour: notifications,
// message map dispatch, data exchange, refusing a tab change, ending the window.
// Beside each User* call, a const Check* call says whether that input would be
// refused, and why, without acting.
// A User* call may open further modal windows before it returns (Backend::RunModal is
// then re-entered) and may end this window: check IsEnded() afterwards.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/core/input_result.h"
#include "framework/core/window_observer.h"
#include "framework/core/wnd.h"

namespace quorvel::ui {

enum class WindowKind { kDialog, kSheet };

// The keys that move a list view's selection (see UserPressListKey).
enum class ListKey { kUp, kDown, kHome, kEnd };

class ModalWindow : public CWnd {
 public:
  ModalWindow();
  ~ModalWindow() override;

  virtual WindowKind Kind() const = 0;
  // The template a dialog is built from; nullptr for the sheet.
  virtual const DialogTemplate* Template() const = 0;
  int TemplateId() const;  // 0 for the sheet
  std::string Title() const { return GetWindowText(); }
  // The window this one is modal over (the one that was topmost when it opened).
  ModalWindow* Owner() const { return owner_; }

  // The controls the user can reach now, in template order: a dialog's own; for the
  // sheet its OK and Cancel buttons, then the active page's controls.
  virtual std::vector<Control*> VisibleControls() const;
  // The visible control with this id (on the sheet, 1 and 2 are its own buttons).
  virtual Control* FindVisibleControl(int id) const;
  // Sheet only: tab captions in order, the active page, its template.
  virtual std::vector<std::string> TabCaptions() const { return {}; }
  virtual int ActiveTab() const { return -1; }
  virtual const DialogTemplate* ActivePageTemplate() const { return nullptr; }

  // The id of the control that has the keyboard focus; 0 for none.
  int FocusId() const { return focusId_; }

  bool IsEnded() const { return ended_; }
  // Whether the window is between the start and the end of its modal run.
  bool IsRunning() const { return running_; }
  int Result() const { return result_; }

  void SetObserver(WindowObserver* observer) { observer_ = observer; }
  WindowObserver* Observer() const { return observer_; }

  // What the user did. Each call refuses what the control would not allow.
  // Replaces the text of an edit or of an editable combo's field, as typed keys.
  InputResult UserSetText(int id, std::string_view text);
  // Chooses item index of a combo or list view with the mouse; -1 clicks the empty
  // space of a list view.
  InputResult UserPickItem(int id, int index);
  // Double-clicks item index of a list view; -1 its empty space.
  InputResult UserDoubleClickItem(int id, int index);
  InputResult UserClickButton(int id);
  // Sheet: clicks tab index; the active page may refuse the change.
  virtual InputResult UserClickTab(int index);
  // Sheet: Ctrl+Tab (step 1) or Ctrl+Shift+Tab (step -1) turns to the next or the
  // previous page, round from the last to the first; a click on that tab follows.
  virtual InputResult UserTurnPage(int step);
  // A key that moves the selection of list view id: Up and Down to the item before
  // or after the focused one (Up from none selects the first), Home and End to the
  // first and the last. Selects as a click on that item does; nothing beyond the ends.
  InputResult UserPressListKey(int id, ListKey key);
  // Enter presses the default button (IDOK when there is none); Esc presses Cancel.
  InputResult UserPressEnter();
  InputResult UserPressEscape();
  // The user moved the focus (clicked into or tabbed to a control).
  virtual InputResult UserSetFocus(int id);

  // Whether the User* call of the same name would refuse this input, and why,
  // without acting: a backend that plays scripted input, or a widget that must stop
  // a key before it lands, asks here instead of working the rule out again.
  InputResult CheckSetText(int id, std::string_view text) const;
  InputResult CheckPickItem(int id, int index) const;
  InputResult CheckDoubleClickItem(int id, int index) const;
  InputResult CheckClickButton(int id) const;
  virtual InputResult CheckClickTab(int index) const;
  virtual InputResult CheckTurnPage(int step) const;
  InputResult CheckPressListKey(int id, ListKey key) const;
  // Enter and Esc.
  InputResult CheckPressKey() const;
  virtual InputResult CheckSetFocus(int id) const;

  ModalWindow* TopLevelWindow() override { return this; }

  // Framework use.
  void SetFocusId(int id);
  // The modal windows running now, outermost first.
  static const std::vector<ModalWindow*>& ModalStack();

 protected:
  // Ends the modal run with result; the backend's RunModal then returns.
  void MarkEnded(int result);
  // Called by DoModal around the backend's run: sets the owner (the given one, or the
  // topmost modal window), pushes the modal stack and clears the ended state. The
  // guard's destructor pops it again on every way out.
  class RunGuard {
   public:
    RunGuard(ModalWindow& window, ModalWindow* owner);
    ~RunGuard();
    RunGuard(const RunGuard&) = delete;
    RunGuard& operator=(const RunGuard&) = delete;

   private:
    ModalWindow& window_;
  };
  // Moves the focus to the first tab stop among the visible controls.
  void FocusFirstTabStop();
  // The id of the button that Enter presses.
  virtual int DefaultButtonId() const;
  // A button click, after the checks.
  virtual void ClickButton(Control& button);
  // Refused while the window is not between the start and the end of its run.
  InputResult CheckOpen() const;
  // The visible control id of the open window, or why there is none to act on.
  std::pair<const Control*, InputResult> ControlForInput(int id) const;

 private:
  ModalWindow* owner_ = nullptr;
  WindowObserver* observer_ = nullptr;
  int focusId_ = 0;
  bool ended_ = false;
  bool running_ = false;
  int result_ = 0;
};

}  // namespace quorvel::ui
