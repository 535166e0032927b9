#pragma once

#include "framework/script/script_run.h"
#include "host/ms_model_lib.h"
#include "tools/quorvel/plugin_module.h"

namespace quorvel::app {

// One run of the plug-in on `model`, with the backend installed here. With a
// script, the run plays its part of `script`; whatever the run leaves of it is left
// there for the windows of the program's own that may follow. True
// when the user cancelled the run in windows that the installed backend did not
// show (the DLL's own, on Windows).
//
// On Linux the plug-in module shares the program's dialog framework and plays in
// the installed backend. On Windows the DLL has a framework of its own, so the
// script is handed to it through the environment, from the first step not yet
// played (see framework/script/script_hand_off.h), and its report is read back: a failed
// step is raised here as the ScriptFailure it was, a run that cannot show windows
// as CommandError(kExitNoWindows), any other failure as std::runtime_error.
bool RunPlugIn(PlugInModule& module, msModel* model, ui::ScriptRun* script);

}  // namespace quorvel::app
