#pragma once

#include <memory>
#include <optional>
#include <string>

#include "framework/core/backend.h"
#include "framework/core/cancel_watch.h"
#include "framework/script/script_run.h"
#include "tools/quorvel/command.h"
#include "tools/quorvel/edit_command.h"
#include "tools/quorvel/edit_result.h"
#include "tools/quorvel/plugin_module.h"
#include "tools/quorvel/save_choices.h"

namespace quorvel::app {

// One run of `quorvel edit`, in the user's three stages: the model opened for
// saving with the plug-in and the user (real windows, or a UI script played
// headless), the plug-in's run, and the save. Each stage raises what ends the run
// as it comes: a CommandError, a ui::ScriptFailure, or any other exception of the
// plug-in's run; FailureStatus turns them into the command's status and message.
//
//   EditRun run(edit, options);
//   try {
//     run.Open();
//     run.Run();
//     return run.Save();
//   } catch (...) {
//     run.Fail();
//   }
class EditRun {
 public:
  EditRun(const EditOptions& edit, const GlobalOptions& options) : edit_(edit), options_(options) {}
  EditRun(const EditRun&) = delete;
  EditRun& operator=(const EditRun&) = delete;

  // Opens everything the run needs: a script that cannot be read fails before the
  // model is opened, a model that cannot be locked or read before the plug-in is
  // loaded.
  void Open();

  // Runs the plug-in on the model with the user. Steps of a script left over when
  // the editor closes fail the run, unless they may be meant for the message box of
  // a failed save.
  void Run();
  // Saves the model when a comment changed, then says what became of the file;
  // returns the exit status.
  int Save();

  // The one place where what ended the run becomes the command's failure: the
  // exception being handled, worded with what had become of the model by then.
  // Rethrows what is no failure of this run's own. Called only while handling one.
  [[noreturn]] void Fail();

 private:
  // How far the run has come, for the words of a failure.
  enum class Stage { kOpening, kInPlugIn, kAfterPlugIn, kSaving };

  // The end of every failure message: what became of the model.
  std::string ModelFate() const;

  const EditOptions& edit_;
  const GlobalOptions& options_;
  Stage stage_ = Stage::kOpening;
  std::optional<ui::ScriptRun> script_;
  ModelForSaving opened_;
  std::optional<PlugInModule> module_;
  std::unique_ptr<ui::Backend> backend_;
  std::optional<ui::CancelWatch> watch_;
  std::optional<ui::BackendScope> installed_;
  bool cancelledInPlugIn_ = false;
  // Why the save to the model's own file failed, and the file it was saved to.
  std::string saveFailure_;
  std::optional<std::string> savedTo_;
};

}  // namespace quorvel::app
