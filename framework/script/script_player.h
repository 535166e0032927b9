// ScriptPlayer: plays the steps of one UI script, each on the window a backend
// says is topmost, the same for every backend (library quorvel_ui_script).
//
// The backend decides when a step runs (at once, or from its event loop) and which
// window is topmost; the player checks the step against that window, asks the
// framework whether the window would take the input, has the backend act, and words
// every failure:
//
//   ScriptPlayer player(ParseScript(text));
//   while (!windowDone)                           // in each window's modal run
//     player.Play(player.Next(top), top);         // top: the backend's ScriptWindow
//   player.CheckFinished();                       // after the last window
#pragma once

#include <string>

#include "framework/script/script.h"
#include "framework/script/script_window.h"

namespace quorvel::ui {

class ScriptPlayer {
 public:
  explicit ScriptPlayer(Script script);

  // The next step, to be played on top; a ScriptFailure when the script has ended
  // while top is still open.
  const Step& Next(const ScriptWindow& top);
  // Plays step on top, the topmost window; a ScriptFailure when it fails.
  void Play(const Step& step, ScriptWindow& top) const;

  // Whether every step has been played.
  bool IsFinished() const;
  // The next step to be played; nullptr when every step has been.
  const Step* NextStep() const { return IsFinished() ? nullptr : &script_.steps[next_]; }
  // Throws a ScriptFailure naming the first step not played, if any.
  void CheckFinished() const;
  // Passes over the steps written before script line `line`: another player (a
  // plug-in's, in a module of its own) has played them.
  void PassStepsBefore(int line);

 private:
  Script script_;
  size_t next_ = 0;
};

// The name a script gives the window: a template id, "sheet", "message" or "file".
std::string ScriptWindowName(const ScriptWindow& window);
// The name and what the window shows, for failure messages.
std::string DescribeScriptWindow(const ScriptWindow& window);

}  // namespace quorvel::ui
