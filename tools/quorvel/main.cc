// quorvel: the host program. It opens model files through the host model library
// and loads the plug-in module at run time, as the modeller does.
#include <CLI/CLI.hpp>
#include <iostream>
#include <new>
#include <string>

#include "host/ms_model_lib.h"
#include "tools/quorvel/apply_command.h"
#include "tools/quorvel/check_command.h"
#include "tools/quorvel/command.h"
#include "tools/quorvel/command_error.h"
#include "tools/quorvel/dump_command.h"
#include "tools/quorvel/edit_command.h"
#include "tools/quorvel/help_places.h"
#include "tools/quorvel/preview_command.h"
#include "tools/quorvel/show_command.h"
#include "tools/quorvel/timeline_command.h"

namespace quorvel::app {
namespace {

// The word given where a subcommand belongs when it names none: the first argument
// that was left over, not an option, once no subcommand was recognised.
std::string UnknownSubcommand(CLI::App& app) {
  if (!app.get_subcommands().empty()) {
    return {};
  }
  for (const std::string& argument : app.remaining()) {
    if (!argument.empty() && argument.front() != '-') {
      return argument;
    }
  }
  return {};
}

// "dump, show and edit".
std::string SubcommandNames(const CommandList& commands) {
  std::string names;
  for (std::size_t i = 0; i < commands.size(); ++i) {
    if (i > 0) {
      names += i + 1 == commands.size() ? " and " : ", ";
    }
    names += commands[i].line->get_name();
  }
  return names;
}

int Main(int argc, char** argv) {
  CLI::App app("quorvel: reads model files and runs the Quorvel plug-in on them.", "quorvel");
  app.set_version_flag("--version", "quorvel " QUORVEL_VERSION);
  app.require_subcommand(1);
  // The same command line on every system: on Windows too, options begin with "-",
  // and an argument that begins with "/" is a path.
  app.allow_windows_style_options(false);
  app.footer(
      "Exit status: 0 success, 1 wrong command line, 2 a model file could not be read or "
      "saved, 3 the plug-in module could not be loaded or failed, 4 (edit) the UI script "
      "failed and nothing was saved, 5 (edit, timeline, preview) no window can be shown here, 6 "
      "(check) "
      "an error was found, 7 memory ran out.");

  GlobalOptions options;
  app.add_option("--plugin", options.plugInPath,
                 "The plug-in module to load (default: " + std::string(DefaultPlugInPlace()) + ")")
      ->envname("QUORVEL_PLUGIN");

  CommandList commands;
  AddDumpCommand(app, options, commands);
  AddShowCommand(app, options, commands);
  AddEditCommand(app, options, commands);
  AddApplyCommand(app, options, commands);
  AddCheckCommand(app, options, commands);
  AddTimelineCommand(app, options, commands);
  AddPreviewCommand(app, options, commands);

  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& done) {
    return app.exit(done);
  } catch (const CLI::ParseError& error) {
    if (const std::string unknown = UnknownSubcommand(app); !unknown.empty()) {
      std::cerr << "quorvel: unknown subcommand \"" << unknown << "\"; the subcommands are "
                << SubcommandNames(commands) << ". Run quorvel --help for more.\n";
      return kExitUsage;
    }
    app.exit(error);
    return kExitUsage;
  }

  for (const Command& command : commands) {
    if (command.line->parsed()) {
      try {
        return command.run();
      } catch (const CommandError& error) {
        std::cerr << "quorvel " << command.line->get_name() << ": " << error.what() << "\n";
        return error.ExitStatus();
      } catch (const std::bad_alloc&) {
        // Whatever the input asked for, the command ends with a message, not a signal.
        std::cerr << "quorvel " << command.line->get_name()
                  << ": not enough memory to go on; the model file was not changed\n";
        return kExitOutOfMemory;
      }
    }
  }
  return kExitUsage;
}

}  // namespace
}  // namespace quorvel::app

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  // How the process dies is the program's choice, made here once before any thread
  // starts: a terminating signal during a save removes the save's temporary file,
  // and a model file cut short while it is read through a mapping ends the process
  // with a message instead of a bus error. (The handlers send a signal that arrives
  // on another thread, one of Qt's, on to the thread that saves.)
  msHost_InstallSaveSignalHandlers();
  msHost_AllowMappedReads();
  try {
    return quorvel::app::Main(argc, argv);
  } catch (const std::bad_alloc&) {
    std::cerr << "quorvel: not enough memory to go on\n";
    return quorvel::app::kExitOutOfMemory;
  }
}
