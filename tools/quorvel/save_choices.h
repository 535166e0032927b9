#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "tools/quorvel/command.h"
#include "tools/quorvel/model_file.h"
#include "tools/quorvel/model_lock.h"

namespace quorvel::app {

// What a command that saves a model (`edit`, `apply`) lets the user choose about it.
struct SaveChoices {
  // Wait for another edit of the model to end instead of stopping.
  bool waitLock = false;
  // Remove temporary files left beside the model by saves that never finished.
  bool removeLeftOvers = false;
  // Save over a file nobody has write permission for, when this user may (root).
  bool saveReadOnly = false;
};

// Adds --wait-lock, --remove-left-overs and --save-read-only to `line`.
void AddSaveChoices(CLI::App& line, SaveChoices& choices);

// A model opened to be saved: locked for the run (see ModelLock), the temporary files
// of its unfinished saves named or removed, and the read-only choice handed to the
// host. Without `lock` (a dry run) nothing is locked or reported.
struct ModelForSaving {
  std::optional<ModelLock> lock;
  ModelPtr model;
};
ModelForSaving OpenModelForSaving(const std::string& path, const SaveChoices& choices,
                                  bool lock = true);

// After a save that worked: the host's note on how it was made (a file system that
// could not trade two names in one step), as a warning of `command` on standard error.
void WarnOfSaveNote(msModel* model, const std::string& path, std::string_view command);

}  // namespace quorvel::app
