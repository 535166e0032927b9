// How a backend hears that a window changed, so that it can mirror the change.
//
// A backend sets an observer on each window it runs (ModalWindow::SetObserver) and
// removes it before RunModal returns. The headless backend needs none, since it reads
// the state when a step checks it; the Qt backend updates its widgets from these calls.
#pragma once

namespace quorvel::ui {

class Control;

class WindowObserver {
 public:
  virtual ~WindowObserver() = default;
  // Text, items, selection or edit selection of a visible control changed.
  virtual void OnControlChanged(const Control& /*control*/) {}
  // The keyboard focus moved to control id (0: no control has it).
  virtual void OnFocusChanged(int /*controlId*/) {}
  // The window's caption changed.
  virtual void OnTitleChanged() {}
  // Sheet: the captions of the tabs changed.
  virtual void OnTabsChanged() {}
  // Sheet: another page is now active; its controls replace the old page's.
  virtual void OnActivePageChanged(int /*index*/) {}
  // The window has ended with this result; RunModal must return.
  virtual void OnEnded(int /*result*/) {}
};

}  // namespace quorvel::ui
