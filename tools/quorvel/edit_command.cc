#include "tools/quorvel/edit_command.h"

#include <memory>
#include <string>

#include "tools/quorvel/edit_run.h"
#include "tools/quorvel/help_places.h"

namespace quorvel::app {

int RunEdit(const EditOptions& edit, const GlobalOptions& options) {
  EditRun run(edit, options);
  try {
    run.Open();
    run.Run();
    return run.Save();
  } catch (...) {
    run.Fail();
  }
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
