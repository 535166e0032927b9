// WindowStackBackend: what every backend shares whose windows run in a toolkit's own
// modal loops (Qt's, the system's on Windows): the stack of windows open now, and
// an error raised inside the toolkit's callbacks, where it must not unwind through
// the toolkit's frames.
//
// Entry is the backend's record of one open window. A backend calls RaiseKept before
// it builds a window, then runs the window through RunOpen, which keeps the stack
// right on every way out; whatever its
// callbacks raise goes through Guard, which closes every open window (the backend's
// Abandon, innermost first) and raises the error again from the outermost run once
// the loops have unwound, so that it leaves DoModal as it does with the headless
// backend.
#pragma once

#include <exception>
#include <functional>
#include <utility>
#include <vector>

#include "framework/core/backend.h"
#include "framework/core/deferred_error.h"

namespace quorvel::ui {

template <class Entry>
class WindowStackBackend : public Backend {
 public:
  // The open windows, outermost first.
  const std::vector<Entry>& OpenWindows() const { return open_; }
  // Called each time a window is about to take input (when, the backend says).
  void SetWindowShownHandler(std::function<void()> handler) { onShown_ = std::move(handler); }

  // Closes every open window and keeps error (the first one given) to be raised
  // again from the outermost run.
  void Abort(std::exception_ptr error) {
    error_.Keep(std::move(error));
    // Innermost first: each loop returns to the one below, which then ends too.
    for (auto it = open_.rbegin(); it != open_.rend(); ++it)
      Abandon(*it);
  }
  bool IsAborting() const { return error_.Pending(); }

  // Runs action, which the toolkit called; an exception becomes an Abort.
  template <class Action>
  void Guard(Action&& action) noexcept {
    try {
      action();
    } catch (...) {
      Abort(std::current_exception());
    }
  }

 protected:
  // Raises the error kept from an Abort still unwinding: no window opens meanwhile.
  void RaiseKept() { error_.Raise(open_.empty()); }
  // Runs `run` (the window's modal loop) with `entry` on top of the stack; an error
  // kept meanwhile is raised again, and cleared once the outermost run has ended.
  template <class Run>
  void RunOpen(Entry entry, Run&& run) {
    bool outermost = false;
    {
      Opened opened(open_, entry);
      outermost = open_.size() == 1;
      run();
    }
    error_.Raise(outermost);
  }
  // Ends the loop of the open window `entry`, without the framework.
  virtual void Abandon(const Entry& entry) = 0;
  // Tells the handler that the topmost window takes input now.
  void WindowShown() {
    if (onShown_)
      onShown_();
  }
  std::vector<Entry>& Stack() { return open_; }

 private:
  // Keeps the stack right on every way out of a window's run.
  class Opened {
   public:
    Opened(std::vector<Entry>& open, Entry entry) : open_(open) { open_.push_back(entry); }
    ~Opened() { open_.pop_back(); }
    Opened(const Opened&) = delete;
    Opened& operator=(const Opened&) = delete;

   private:
    std::vector<Entry>& open_;
  };

  std::vector<Entry> open_;
  std::function<void()> onShown_;
  DeferredError error_;
};

}  // namespace quorvel::ui
