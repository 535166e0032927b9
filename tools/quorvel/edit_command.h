#pragma once

#include <optional>
#include <string>

#include "tools/quorvel/command.h"
#include "tools/quorvel/mark_choice.h"
#include "tools/quorvel/save_choices.h"

namespace quorvel::app {

struct EditOptions {
  std::string modelPath;
  std::string markText = "all";
  // Set: the user is played by this UI script, headless.
  std::optional<std::string> scriptPath;
  SaveChoices save;
  // Say what became of the file as JSON instead of a line.
  bool json = false;
};

// `quorvel edit MODEL [--mark WHICH] [--script FILE] [--json]`: opens the model file,
// runs the plug-in on it through its CreatePlugIn as the modeller does, and saves the
// file, atomically, only when a comment changed. A failed script saves nothing (exit
// status kExitScriptFailed). Without a script the plug-in shows real windows, or the
// command says why it cannot (kExitNoWindows). The model is locked for the whole
// run (see ModelLock); temporary files of saves that never finished are named on
// standard error, never loaded, and removed with removeLeftOvers. The run ends with
// what became of the file (see EditResult): the records written, the edits the
// answer No kept out, and what the rules of `quorvel check` find in the file
// written. An interrupt while the editor is open says that nothing was saved.
int RunEdit(const EditOptions& edit, const GlobalOptions& options);

void AddEditCommand(CLI::App& app, const GlobalOptions& options, CommandList& commands);

}  // namespace quorvel::app
