// Win32ScriptPlayer: replays a UI script through the system's own dialogs (library
// quorvel_win32_player), so that the scripts the headless backend reads hold for the
// real windows too.
//
// Every step acts on the topmost open window with the messages a user's input
// sends to its controls (mouse clicks, typed characters), never with calls on the
// framework. Steps are pumped through the thread's message queue, one posted message
// each, because a click that opens a nested modal window does not return until that
// window has closed: the next step then runs inside the nested window's loop. A
// failing step ends every window and leaves the outermost run as a ScriptFailure
// naming the script line. The checks and the failures' words are the ScriptPlayer's,
// as on every backend.
//
//   Win32ScriptedBackend backend(ParseScript(text));
//   BackendScope scope(&backend);
//   dialog.DoModal();          // a ScriptFailure leaves here when a step fails
//   backend.CheckFinished();   // steps left over fail too
#pragma once

#include <functional>
#include <vector>

#include "framework/backends/win32/win32_backend.h"
#include "framework/script/script.h"
#include "framework/script/script_player.h"
#include "framework/script/step_pump.h"

namespace quorvel::ui::win32 {

class Win32ScriptPlayer {
 public:
  // Starts with the first window that backend shows.
  Win32ScriptPlayer(Win32Backend& backend, Script script);
  ~Win32ScriptPlayer();
  Win32ScriptPlayer(const Win32ScriptPlayer&) = delete;
  Win32ScriptPlayer& operator=(const Win32ScriptPlayer&) = delete;

  bool IsFinished() const { return steps_.Player().IsFinished(); }
  // The next step to be played; nullptr when every step has been.
  const Step* NextStep() const { return steps_.Player().NextStep(); }
  // Throws a ScriptFailure naming the first step not played, if any.
  void CheckFinished() const { steps_.Player().CheckFinished(); }
  // Called before each step with the window the step acts on (for screenshots).
  void SetBeforeStep(std::function<void(const Step&, WindowHandle)> hook) {
    beforeStep_ = std::move(hook);
  }

  // The pump's window calls this for each posted step.
  void PlayNext();

 private:
  void Post();

  Win32Backend& backend_;
  StepPump<WindowHandle> steps_;
  WindowHandle pump_ = nullptr;  // a message-only window that hears the posted steps
  bool posted_ = false;
  std::function<void(const Step&, WindowHandle)> beforeStep_;
};

// A Win32 backend that plays one script.
class Win32ScriptedBackend : public Win32Backend {
 public:
  explicit Win32ScriptedBackend(Script script) : player_(*this, std::move(script)) {}
  Win32ScriptPlayer& Player() { return player_; }
  void CheckFinished() const { player_.CheckFinished(); }

 private:
  Win32ScriptPlayer player_;
};

}  // namespace quorvel::ui::win32
