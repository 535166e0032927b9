#include "app/plugin_run.h"

namespace quorvel::app {

void RunPlugIn(PlugInModule& module, msModel* model,
               const std::optional<std::string>& /*scriptPath*/,
               ui::HeadlessBackend* /*scripted*/) {
  module.plugIn().Run(model);
}

}  // namespace quorvel::app
