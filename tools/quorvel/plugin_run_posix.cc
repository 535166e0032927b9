#include "tools/quorvel/plugin_run.h"

namespace quorvel::app {

bool RunPlugIn(PlugInModule& module, msModel* model,
               const std::optional<std::string>& /*scriptPath*/,
               ui::HeadlessBackend* /*scripted*/) {
  module.plugIn().Run(model);
  return false;
}

}  // namespace quorvel::app
