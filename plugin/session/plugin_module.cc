// The plug-in module's entry: the one exported function and the application object
// that lives as long as the module is loaded.
#include <new>

#include "plugin/session/attribute_plugin.h"
#include "plugin/session/plugin_application.h"

namespace {

quorvel::PlugInApplication theApplication;
[[maybe_unused]] const bool theApplicationStarted = theApplication.InitInstance();

}  // namespace

extern "C" __attribute__((visibility("default"))) quorvel::PlugInInterface* CreatePlugIn() {
  return new (std::nothrow) quorvel::AttributePlugIn;
}
