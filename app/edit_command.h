#pragma once

#include <optional>
#include <string>

#include "app/command.h"
#include "app/mark_choice.h"

namespace quorvel::app {

struct EditOptions {
  std::string modelPath;
  std::string markText = "all";
  // Set: the user is played by this UI script, headless.
  std::optional<std::string> scriptPath;
};

// `quorvel edit MODEL [--mark WHICH] [--script FILE]`: opens the model file, runs the
// plug-in on it through its CreatePlugIn as the modeller does, and saves the file,
// atomically, only when a comment changed. A failed script saves nothing (exit
// status kExitScriptFailed). Without a script the plug-in shows real windows, or the
// command says why it cannot (kExitNoWindows).
int RunEdit(const EditOptions& edit, const GlobalOptions& options);

void AddEditCommand(CLI::App& app, const GlobalOptions& options, CommandList& commands);

}  // namespace quorvel::app
