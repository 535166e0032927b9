#pragma once

#include <string>

#include "tools/quorvel/command.h"
#include "tools/quorvel/save_choices.h"

namespace quorvel::app {

struct ApplyOptions {
  std::string modelPath;
  // The file of the form `show --json` writes; "-" for standard input.
  std::string filePath;
  // Write nothing; show what would change and what check finds.
  bool dryRun = false;
  // Write even when check finds errors in the result.
  bool force = false;
  SaveChoices save;
};

// `quorvel apply MODEL FILE.json`: writes the records of a file of the form `show
// --json` writes into the model's comments, each through its record's
// SaveAttributes, and saves the model as `edit` saves it (locked, checked before the
// new file is put in place, atomically, edits kept beside a model the save refuses).
// Only the records that differ from what their comments load to are written; a file
// that changes nothing leaves the model untouched. Anything the file cannot say
// faithfully is refused before anything is written (kExitFileRefused), and errors
// that check finds in the written comments, or brought elsewhere, refuse the write
// unless `force` (kExitProblemsFound).
int RunApply(const ApplyOptions& apply);

void AddApplyCommand(CLI::App& app, const GlobalOptions& options, CommandList& commands);

}  // namespace quorvel::app
