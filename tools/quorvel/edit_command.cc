#include "tools/quorvel/edit_command.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <utility>

#include "framework/backends/headless/headless_backend.h"
#include "framework/core/backend.h"
#include "framework/core/cancel_watch.h"
#include "tools/quorvel/command_error.h"
#include "tools/quorvel/edit_result.h"
#include "tools/quorvel/help_places.h"
#include "tools/quorvel/interrupt_notice.h"
#include "tools/quorvel/model_file.h"
#include "tools/quorvel/plugin_module.h"
#include "tools/quorvel/plugin_run.h"
#include "tools/quorvel/save_elsewhere.h"
#include "tools/quorvel/save_obstacle.h"
#include "tools/quorvel/standard_output.h"
#include "tools/quorvel/window_backend.h"

namespace quorvel::app {
namespace {

constexpr char kNothingSaved[] = "; nothing was saved";

ui::Script LoadScriptOrFail(const std::string& path) {
  try {
    return ui::LoadScript(path);
  } catch (const ui::ScriptFailure& failure) {
    throw CommandError(kExitScriptFailed, path + ": " + failure.what() + kNothingSaved);
  }
}

std::unique_ptr<ui::Backend> OpenWindowsOrFail() {
  std::string reason;
  std::unique_ptr<ui::Backend> backend = OpenWindowBackend(reason);
  if (backend == nullptr) {
    throw CommandError(kExitNoWindows, NoWindowsMessage(reason));
  }
  return backend;
}

// Whether a script's steps left over once the editor has closed may be meant for
// the message box of a failed save: they begin by naming that window.
bool StepsAwaitAMessage(const ui::HeadlessBackend* scripted) {
  const ui::Step* next = scripted != nullptr ? scripted->NextStep() : nullptr;
  return next != nullptr && next->kind == ui::StepKind::kWindow && next->name == "message";
}

// Saves the edited model to its file; returns the file it was saved to. When that
// fails, the user is told why and may save it to another file instead; declining
// ends with the host library's reason.
std::string SaveEdits(msModel* model, const std::string& path, std::string& reason) {
  if (msHost_SaveModel(model) == 0) {
    WarnOfSaveNote(model, path, "edit");
    return path;
  }
  reason = msHost_LastError();
  std::optional<std::string> elsewhere = OfferToSaveElsewhere(model, path, reason);
  if (!elsewhere) {
    throw CommandError(kExitFileError, reason);
  }
  return std::move(*elsewhere);
}

std::optional<std::string> GameRootFromEnvironment() {
  const char* root = std::getenv("ZU2_Root");
  if (root == nullptr || *root == '\0') {
    return std::nullopt;
  }
  return std::string(root);
}

// The run's last word: what the check of the written file found, then the line that
// says what was saved and what was not; or all of it as JSON.
int ReportResult(const EditResult& result, const EditOptions& edit) {
  if (edit.json) {
    std::cout << EditResultJson(result).dump(2) << "\n";
  } else {
    PrintWrittenFileCheck(result, std::cerr);
    std::cout << EditResultLine(result) << "\n";
  }
  FinishStandardOutput();
  return kExitSuccess;
}

}  // namespace

int RunEdit(const EditOptions& edit, const GlobalOptions& options) {
  const MarkChoice marks = ParseMarkChoice(edit.markText);
  // A script that cannot be read fails before anything is opened.
  std::optional<ui::Script> script;
  if (edit.scriptPath) {
    script = LoadScriptOrFail(*edit.scriptPath);
  }
  ModelForSaving opened = OpenModelForSaving(edit.modelPath, edit.save);
  ModelPtr& model = opened.model;
  for (const std::string& warning : ApplyMarkChoice(marks, model.get(), edit.modelPath)) {
    std::cerr << "quorvel edit: warning: " << warning << "\n";
  }

  PlugInModule module(options.plugInPath.empty() ? PlugInModule::DefaultPath()
                                                 : options.plugInPath);
  // With a script the user is played from it, headless; a step that fails, or steps
  // left over, end the command before anything is saved.
  std::unique_ptr<ui::Backend> backend;
  ui::HeadlessBackend* scripted = nullptr;
  if (script) {
    auto headless = std::make_unique<ui::HeadlessBackend>(std::move(*script));
    scripted = headless.get();
    backend = std::move(headless);
  } else {
    backend = OpenWindowsOrFail();
  }
  ui::CancelWatch watch(*backend);
  ui::BackendScope installed(&watch);
  const std::string scriptFailed = edit.scriptPath ? *edit.scriptPath + ": " : "";
  bool cancelledInPlugIn = false;
  EditResult result;
  result.model = edit.modelPath;
  {
    // Until the editor closes, nothing is written: an interrupted run says so.
    const InterruptNotice interrupted("quorvel edit: " + edit.modelPath + ": interrupted" +
                                      kNothingSaved);
    try {
      WarnIfNotSaveable(edit.modelPath, edit.save.saveReadOnly);
      cancelledInPlugIn = RunPlugIn(module, model.get(), edit.scriptPath, scripted);
      if (scripted != nullptr && !StepsAwaitAMessage(scripted)) {
        scripted->CheckFinished();
      }
    } catch (const ui::ScriptFailure& failure) {
      throw CommandError(kExitScriptFailed, scriptFailed + failure.what() + kNothingSaved);
    } catch (const CommandError&) {
      throw;
    } catch (const std::exception& error) {
      throw CommandError(kExitPlugInError, "the plug-in " + module.Title() +
                                               " failed: " + error.what() + kNothingSaved);
    }
  }
  result.records = ReadRecordAccount(model.get());

  if (msHost_CommentsChanged(model.get()) == 0) {
    if (scripted != nullptr) {
      try {
        scripted->CheckFinished();
      } catch (const ui::ScriptFailure& failure) {
        throw CommandError(kExitScriptFailed, scriptFailed + failure.what() + kNothingSaved);
      }
    }
    result.end = watch.Cancelled() || cancelledInPlugIn ? EditEnd::kCancelled : EditEnd::kUnchanged;
    return ReportResult(result, edit);
  }
  std::optional<std::string> savedTo;
  std::string saveFailure;
  try {
    savedTo = SaveEdits(model.get(), edit.modelPath, saveFailure);
    if (scripted != nullptr) {
      scripted->CheckFinished();
    }
  } catch (const ui::ScriptFailure& failure) {
    // Only a script that awaited a failed save's message box gets here.
    // The failed save's own message may say where a refused save kept the edits.
    throw CommandError(kExitScriptFailed,
                       scriptFailed + failure.what() +
                           (savedTo ? "; the model was saved to " + *savedTo
                                    : std::string(kNothingSaved) + " (" + saveFailure + ")"));
  }
  result.end = *savedTo == edit.modelPath ? EditEnd::kSaved : EditEnd::kSavedElsewhere;
  result.savedTo = *savedTo;
  // What was written is looked at as `quorvel check` would, before anyone else does.
  model.reset();
  CheckWrittenFile(result, GameRootFromEnvironment(), edit.json ? SIZE_MAX : kCheckLinesShown);
  return ReportResult(result, edit);
}

void AddEditCommand(CLI::App& app, const GlobalOptions& options, CommandList& commands) {
  CLI::App* line = app.add_subcommand(
      "edit",
      "Edit a model file's NIS attributes with the Quorvel plug-in, as the modeller runs it");
  auto edit = std::make_shared<EditOptions>();
  line->add_option("MODEL", edit->modelPath, "The model file (.ms3d)")->required();
  line->add_option("--mark", edit->markText,
                   "Which joints get a page: all (the default: outside the modeller nobody can "
                   "select joints, and the selection a file keeps is whatever was selected at "
                   "its last save), selected (the joints the file keeps selected), or a list of "
                   "joint names, e.g. CAM_Main,Fighter1 (names:CAM_Main,Fighter1 when the first "
                   "name is all or selected). The flags stored in the file never change.")
      ->type_name("WHICH");
  line->add_option("--script", edit->scriptPath,
                   "Play the user from this UI script instead of showing windows; a script "
                   "that fails saves nothing and exits with status 4. The steps, the window "
                   "names and every control id: " +
                       DocumentPlace("ui-scripts.md"))
      ->type_name("FILE");
  line->add_flag("--json", edit->json,
                 "Say what became of the file as JSON instead of a line: the outcome, the file "
                 "written, the pages whose records were written and those whose edits were not "
                 "(answered No), and what the rules of quorvel check find in what was written");
  AddSaveChoices(*line, edit->save);
  line->footer(
      "The file is saved only when a comment changed, and then atomically. It is locked for "
      "the whole run. A file that plainly cannot be saved is warned about before the editor "
      "opens. A save is refused when the file changed on disk since it was opened, has hard "
      "links, would change owner or lose extended attributes, or is read-only; the edits are "
      "then kept in a file beside it (NAME.unsaved.ms3d) and the message says where. A save "
      "that fails says why and offers to save the edited model to another file (declining "
      "exits with status 2; saving there exits with 0 and says so). Without --script the editor "
      "opens real windows (needs a build "
      "with the Qt backend and a display).\n\n"
      "The last line says what became of the file: how many records were saved and which "
      "pages' (e.g. \"fleet.ms3d: saved 2 records (Actor: Salvage1, Camera: CAM_Side)\"), and, "
      "after the answer No to \"Overwrite existing attributes?\", which pages' edits were not "
      "written because their comments were not empty (\"; not written, as answered No: NIS "
      "Attributes\"). After a save the file as written is checked as quorvel check does; its "
      "warnings and errors, the first five, go to standard error before that line. Ctrl+C while "
      "the editor is open says \"interrupted; nothing was saved\" and ends with status 130.\n\n"
      "Environment:\n"
      "  ZU2_Root  The game's folder, e.g. ZU2_Root=" +
      std::string(GameRootExample()) +
      ". The file chooser of a sound or music event (soundEvent, musicStart, musicStartAtEnd) "
      "starts in that event's folder inside it, such as " +
      SoundFolderExample() +
      " (a relative folder counts from the current one: ZU2_Root=zu2 gives zu2" +
      SoundFolderExample().substr(GameRootExample().size()) +
      "); unset or empty, it starts in the current folder. Either way the event keeps the part "
      "of the chosen path after the event's folder (data\\sound\\sfx\\ for soundEvent), "
      "with \\ between folders, or the whole path for a file elsewhere.");
  commands.push_back({line, [edit, &options] { return RunEdit(*edit, options); }});
}

}  // namespace quorvel::app
