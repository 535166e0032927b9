// What loading the plug-in module does alike on every system, once the module's
// CreatePlugIn has been called (plugin_module_posix.cc, plugin_module_windows.cc).
#include "tools/quorvel/plugin_module.h"

#include "tools/quorvel/command_error.h"

namespace quorvel::app {

void PlugInModule::Accept(const std::string& path) {
  if (plugIn_ == nullptr) {
    throw CommandError(kExitPlugInError,
                       "the plug-in module " + path + " could not create its plug-in object");
  }
  int kind = plugIn_->Kind();
  if (kind != kModelEditingPlugIn) {
    throw CommandError(kExitPlugInError, "the plug-in module " + path + " is of kind " +
                                             std::to_string(kind) + ", not a model-editing " +
                                             "plug-in (kind 3)");
  }
}

std::string PlugInModule::Title() {
  const char* title = plugIn_->Title();
  return title == nullptr ? std::string() : std::string(title);
}

}  // namespace quorvel::app
