#include "tools/quorvel/edit_run.h"

#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <utility>

#include "framework/backends/headless/headless_backend.h"
#include "tools/quorvel/command_error.h"
#include "tools/quorvel/interrupt_notice.h"
#include "tools/quorvel/mark_choice.h"
#include "tools/quorvel/plugin_run.h"
#include "tools/quorvel/save_elsewhere.h"
#include "tools/quorvel/save_obstacle.h"
#include "tools/quorvel/standard_output.h"
#include "tools/quorvel/window_backend.h"

namespace quorvel::app {
namespace {

constexpr char kNothingSaved[] = "; nothing was saved";

std::unique_ptr<ui::Backend> OpenWindowsOrFail() {
  std::string reason;
  std::unique_ptr<ui::Backend> backend = OpenWindowBackend(reason);
  if (backend == nullptr) {
    throw CommandError(kExitNoWindows, NoWindowsMessage(reason));
  }
  return backend;
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

void EditRun::Open() {
  const MarkChoice marks = ParseMarkChoice(edit_.markText);
  if (edit_.scriptPath) {
    script_.emplace(ui::ScriptRun::Load(*edit_.scriptPath));
  }
  opened_ = OpenModelForSaving(edit_.modelPath, edit_.save);
  for (const std::string& warning : ApplyMarkChoice(marks, opened_.model.get(), edit_.modelPath)) {
    std::cerr << "quorvel edit: warning: " << warning << "\n";
  }
  module_.emplace(options_.plugInPath.empty() ? PlugInModule::DefaultPath() : options_.plugInPath);
  // With a script the user is played from it, headless, by the windows of the
  // plug-in and of the program's own alike.
  if (script_) {
    backend_ = std::make_unique<ui::HeadlessBackend>(script_->Player());
  } else {
    backend_ = OpenWindowsOrFail();
  }
  watch_.emplace(*backend_);
  installed_.emplace(&*watch_);
}

void EditRun::Run() {
  // Until the editor closes, nothing is written: an interrupted run says so.
  const InterruptNotice interrupted("quorvel edit: " + edit_.modelPath + ": interrupted" +
                                    kNothingSaved);
  stage_ = Stage::kInPlugIn;
  WarnIfNotSaveable(edit_.modelPath, edit_.save.saveReadOnly);
  cancelledInPlugIn_ = RunPlugIn(*module_, opened_.model.get(), script_ ? &*script_ : nullptr);
  if (script_) {
    script_->FinishUnlessAwaiting("message");
  }
  stage_ = Stage::kAfterPlugIn;
}

int EditRun::Save() {
  ModelPtr& model = opened_.model;
  EditResult result;
  result.model = edit_.modelPath;
  result.records = ReadRecordAccount(model.get());
  if (msHost_CommentsChanged(model.get()) == 0) {
    if (script_) {
      script_->Finish();
    }
    result.end =
        watch_->Cancelled() || cancelledInPlugIn_ ? EditEnd::kCancelled : EditEnd::kUnchanged;
    return ReportResult(result, edit_);
  }
  // When the save fails, the user is told why and may save to another file instead;
  // declining ends with the host library's reason.
  stage_ = Stage::kSaving;
  if (msHost_SaveModel(model.get()) == 0) {
    WarnOfSaveNote(model.get(), edit_.modelPath, "edit");
    savedTo_ = edit_.modelPath;
  } else {
    saveFailure_ = msHost_LastError();
    savedTo_ = OfferToSaveElsewhere(model.get(), edit_.modelPath, saveFailure_);
    if (!savedTo_) {
      throw CommandError(kExitFileError, saveFailure_);
    }
  }
  // Only a script that awaited a failed save's message box has steps left here.
  if (script_) {
    script_->Finish();
  }
  result.end = *savedTo_ == edit_.modelPath ? EditEnd::kSaved : EditEnd::kSavedElsewhere;
  result.savedTo = *savedTo_;
  // What was written is looked at as `quorvel check` would, before anyone else does.
  model.reset();
  CheckWrittenFile(result, GameRootFromEnvironment(), edit_.json ? SIZE_MAX : kCheckLinesShown);
  return ReportResult(result, edit_);
}

std::string EditRun::ModelFate() const {
  if (stage_ != Stage::kSaving) {
    return kNothingSaved;
  }
  // The failed save's own message may say where a refused save kept the edits.
  return savedTo_ ? "; the model was saved to " + *savedTo_
                  : std::string(kNothingSaved) + " (" + saveFailure_ + ")";
}

void EditRun::Fail() {
  try {
    throw;
  } catch (const ui::ScriptFailure& failure) {
    const std::string script = edit_.scriptPath ? *edit_.scriptPath + ": " : "";
    throw CommandError(kExitScriptFailed, script + failure.what() + ModelFate());
  } catch (const CommandError&) {
    throw;
  } catch (const std::exception& error) {
    if (stage_ != Stage::kInPlugIn) {
      throw;
    }
    throw CommandError(kExitPlugInError, "the plug-in " + module_->Title() +
                                             " failed: " + error.what() + ModelFate());
  }
}

}  // namespace quorvel::app
