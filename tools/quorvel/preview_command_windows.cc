// `quorvel preview` in the Windows build, which has no Qt and so no OpenGL drawing:
// the command is known, and says why it cannot preview.
#include <memory>

#include "tools/quorvel/command_error.h"
#include "tools/quorvel/preview_command.h"

namespace quorvel::app {

void AddPreviewCommand(CLI::App& app, const GlobalOptions&, CommandList& commands) {
  CLI::App* command = app.add_subcommand(
      "preview", "Play a model's sequence through its cameras (not in this build)");
  auto path = std::make_shared<std::string>();
  command->add_option("MODEL", *path, "The model file (.ms3d)")->required();
  command->allow_extras();
  commands.push_back({command, []() -> int {
                        throw CommandError(kExitNoWindows,
                                           "this build has no Qt and cannot draw the preview");
                      }});
}

}  // namespace quorvel::app
