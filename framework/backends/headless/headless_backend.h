// HeadlessBackend: keeps windows in memory and plays the user from a UI script
// (library quorvel_headless).
//
//   HeadlessBackend backend(ParseScript(text));
//   BackendScope scope(&backend);
//   RunTheEditor();           // a ScriptFailure leaves here when a step fails
//   backend.CheckFinished();  // steps left over are a failure too
//
// Each RunModal pushes the window and plays steps on the topmost window until it has
// ended; a step that opens a further window plays on in the nested RunModal. Message
// boxes and the file chooser are the windows "message" and "file".
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "framework/core/backend.h"
#include "framework/script/script.h"
#include "framework/script/script_player.h"

namespace quorvel::ui {

class HeadlessBackend : public Backend {
 public:
  explicit HeadlessBackend(Script script);
  // Plays from a player kept elsewhere, which outlives the backend: a script run
  // over the windows of several stages (script_run.h).
  explicit HeadlessBackend(ScriptPlayer& player);
  ~HeadlessBackend() override;

  void RunModal(ModalWindow& window) override;
  int ShowMessageBox(const MessageBoxRequest& request) override;
  std::optional<std::string> ChooseFile(const FileChooserRequest& request) override;
  // Without a font, every character counts as the dialog font's average character,
  // four horizontal dialog units, in the field's width less its margins and, for a
  // combo box, its drop-down button.
  std::size_t FittingLength(const Control& field, std::string_view text) const override;

  // Whether every step has been played.
  bool IsFinished() const { return player_.IsFinished(); }
  // The next step to be played; nullptr when every step has been.
  const Step* NextStep() const { return player_.NextStep(); }
  // Throws a ScriptFailure naming the first step not played, if any.
  void CheckFinished() const { player_.CheckFinished(); }
  // Passes over the steps before script line `line`, played elsewhere.
  void PassStepsBefore(int line) { player_.PassStepsBefore(line); }

 private:
  class Frame;
  void Play(Frame& frame);

  std::optional<ScriptPlayer> own_;
  ScriptPlayer& player_;
};

}  // namespace quorvel::ui
