#include "tools/quorvel/plugin_run.h"

namespace quorvel::app {

bool RunPlugIn(PlugInModule& module, msModel* model, ui::ScriptRun* /*script*/) {
  module.plugIn().Run(model);
  return false;
}

}  // namespace quorvel::app
