// QtScriptPlayer: replays a UI script through real Qt widgets (library
// quorvel_qt_player), so that the scripts the headless backend reads hold for the
// real windows too.
//
// Every step acts on the topmost open window with real input events: Qt Test's mouse
// clicks and key presses on the widgets, never calls on the framework. Steps are
// pumped through the event loop, one timer shot each, because a click that opens a
// nested modal window does not return until that window has closed: the next step
// then runs inside the nested window's loop. A failing step aborts every window and
// leaves the outermost run as a ScriptFailure naming the script line. The checks and
// the failures' words are the ScriptPlayer's, as on every backend.
//
//   QtScriptedBackend backend(ParseScript(text));
//   BackendScope scope(&backend);
//   dialog.DoModal();          // a ScriptFailure leaves here when a step fails
//   backend.CheckFinished();   // steps left over fail too
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/backends/qt/qt_backend.h"
#include "framework/script/script.h"
#include "framework/script/script_player.h"
#include "framework/script/step_pump.h"

class QTimer;
class QWidget;

namespace quorvel::ui::qt {

class QtScriptPlayer {
 public:
  // Starts with the first window that backend shows.
  QtScriptPlayer(QtBackend& backend, Script script);
  ~QtScriptPlayer();
  QtScriptPlayer(const QtScriptPlayer&) = delete;
  QtScriptPlayer& operator=(const QtScriptPlayer&) = delete;

  bool IsFinished() const { return pump_.Player().IsFinished(); }
  // Throws a ScriptFailure naming the first step not played, if any.
  void CheckFinished() const { pump_.Player().CheckFinished(); }
  // Called before each step with the window the step acts on (for screenshots).
  void SetBeforeStep(std::function<void(const Step&, QWidget*)> hook) {
    beforeStep_ = std::move(hook);
  }

 private:
  void PlayNext();

  QtBackend& backend_;
  StepPump<QWidget*> pump_;
  std::unique_ptr<QTimer> timer_;
  std::function<void(const Step&, QWidget*)> beforeStep_;
};

// A Qt backend that plays one script.
class QtScriptedBackend : public QtBackend {
 public:
  explicit QtScriptedBackend(Script script) : player_(*this, std::move(script)) {}
  QtScriptPlayer& Player() { return player_; }
  void CheckFinished() const { player_.CheckFinished(); }

 private:
  QtScriptPlayer player_;
};

}  // namespace quorvel::ui::qt
