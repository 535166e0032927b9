// StepPump: what the script players of a toolkit's real windows share (Qt's, the
// system's on Windows): one step at a time on the window in front, played from that
// window's own event loop (library quorvel_ui_script).
//
// The step after this one is asked for before this one runs, because a click that
// opens a nested modal window returns only once that window has closed: the next
// step then runs in the nested window's loop. A window whose step still runs takes
// no second one; a failing step stops the pump and ends every window.
//
//   if (pump.Failed() || pump.Busy(key)) ...                  // later, or never
//   pump.PlayOn(window, key, before, askForNext, abortAll);   // window: a ScriptWindow
#pragma once

#include <exception>
#include <utility>
#include <vector>

#include "framework/core/modal_window.h"
#include "framework/script/script.h"
#include "framework/script/script_player.h"
#include "framework/script/script_window.h"

namespace quorvel::ui {

// Key: how the toolkit names a window (a widget, a window handle).
template <class Key>
class StepPump {
 public:
  explicit StepPump(Script script) : player_(std::move(script)) {}

  const ScriptPlayer& Player() const { return player_; }
  // Whether a step failed: nothing more is played.
  bool Failed() const { return failed_; }
  // Whether the step of window `key` is still running.
  bool Busy(Key key) const { return !busy_.empty() && busy_.back() == key; }

  // Plays the next step on `window`, the toolkit's window `key`: `before(step)` hears
  // it first, `askForNext()` asks the event loop for the step after it. A failure
  // stops the pump and goes to `abort(error)`.
  template <class Before, class AskForNext, class Abort>
  void PlayOn(ScriptWindow& window, Key key, Before&& before, AskForNext&& askForNext,
              Abort&& abort) {
    try {
      const Step& step = player_.Next(window);
      before(step);
      busy_.push_back(key);
      // The following step: in a window this one opens, or in this one when it is done.
      askForNext();
      const Running running{busy_};
      player_.Play(step, window);
    } catch (...) {
      failed_ = true;
      abort(std::current_exception());
    }
  }

 private:
  struct Running {
    std::vector<Key>& busy;
    ~Running() { busy.pop_back(); }
  };

  ScriptPlayer player_;
  std::vector<Key> busy_;  // windows whose step is still running
  bool failed_ = false;
};

// The part of a ScriptWindow that every toolkit's adapter shares: the record of the
// open window it adapts (its `window`, when a dialog or sheet, is the toolkit's
// window of the framework's ModalWindow).
template <class Open>
class OpenScriptWindow : public ScriptWindow {
 public:
  explicit OpenScriptWindow(const Open& open) : open_(open) {}

  ModalWindow* Model() const override {
    return open_.window != nullptr ? &open_.window->Model() : nullptr;
  }

 protected:
  Open open_;
};

}  // namespace quorvel::ui
