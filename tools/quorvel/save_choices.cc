#include "tools/quorvel/save_choices.h"

#include <iostream>

#include "tools/quorvel/left_overs.h"

namespace quorvel::app {

void AddSaveChoices(CLI::App& line, SaveChoices& choices) {
  line.add_flag("--wait-lock", choices.waitLock,
                "When another quorvel edit or apply has the model open, wait for it to end "
                "instead of stopping with status 2");
  line.add_flag("--remove-left-overs", choices.removeLeftOvers,
                "Remove the temporary files that saves of this model which never finished "
                "(the program was killed) left beside it; without it they are only named");
  line.add_flag("--save-read-only", choices.saveReadOnly,
                "Save over a model nobody has write permission for, when this user may all "
                "the same (root); without it such a save is refused as for anyone");
}

ModelForSaving OpenModelForSaving(const std::string& path, const SaveChoices& choices, bool lock) {
  ModelForSaving opened;
  if (lock) {
    opened.lock.emplace(ModelLock::Take(path, choices.waitLock));
    if (opened.lock->Held()) {
      ReportLeftOvers(path, choices.removeLeftOvers);
    }
  }
  opened.model = OpenModelFile(path);
  msHost_AllowReadOnlySave(opened.model.get(), choices.saveReadOnly ? 1 : 0);
  return opened;
}

void WarnOfSaveNote(msModel* model, const std::string& path, std::string_view command) {
  if (const std::string note = msHost_SaveNote(model); !note.empty()) {
    std::cerr << "quorvel " << command << ": warning: " << path << ": " << note << "\n";
  }
}

}  // namespace quorvel::app
