// ScriptRun: one UI script played as the user of a whole run of a program, over
// the windows of several stages (library quorvel_ui_script). A plug-in's windows
// play the first steps; the program's own windows that may follow (the message
// box of a failed save, say) play the rest; a plug-in in a module of its own
// plays its part elsewhere and the run passes over those steps.
//
//   ScriptRun script = ScriptRun::Load(path);  // a ScriptFailure names the file
//   HeadlessBackend backend(script.Player());  // plays from the run's player
//   RunThePlugIn();
//   script.FinishUnlessAwaiting("message");    // left-overs fail, unless for a message
//   ...
//   script.Finish();                           // every step played
//
// Every failure is a ScriptFailure, as the player raises it.
#pragma once

#include <string>
#include <string_view>

#include "framework/script/script.h"
#include "framework/script/script_player.h"

namespace quorvel::ui {

class ScriptRun {
 public:
  ScriptRun(std::string path, Script script);
  // Reads and parses the script file at `path`.
  static ScriptRun Load(const std::string& path);

  const std::string& Path() const { return path_; }
  // The player every window of the run plays its steps from.
  ScriptPlayer& Player() { return player_; }

  // The script line of the first step not played yet; 0 when every step has been.
  int NextLine() const;
  // Passes over the steps before script line `line` (0: every step), played by a
  // player elsewhere.
  void PassStepsBefore(int line);

  // Whether the next step begins with the window `name`: steps left for a window
  // that may still open.
  bool Awaits(std::string_view window) const;
  // Throws a ScriptFailure naming the first step left over, if any.
  void Finish() const { player_.CheckFinished(); }
  // The same, unless the steps left begin with the window `name`.
  void FinishUnlessAwaiting(std::string_view window) const;

 private:
  std::string path_;
  ScriptPlayer player_;
};

}  // namespace quorvel::ui
