#include "tools/quorvel/plugin_module.h"

#include <dlfcn.h>

#include "tools/quorvel/command_error.h"
#include "tools/quorvel/module_path.h"

namespace quorvel::app {
namespace {

constexpr char kModuleFileName[] = "libquorvel_plugin.so";

}  // namespace

void PlugInModule::Unload::operator()(void* handle) const {
  dlclose(handle);
}

PlugInModule::PlugInModule(const std::string& path)
    : handle_(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
  if (handle_ == nullptr) {
    throw CommandError(kExitPlugInError,
                       "cannot load the plug-in module " + path + ": " + dlerror());
  }
  auto create = reinterpret_cast<CreatePlugInFunction>(dlsym(handle_.get(), kCreatePlugInSymbol));
  if (create == nullptr) {
    throw CommandError(kExitPlugInError,
                       "the plug-in module " + path + " exports no CreatePlugIn function");
  }
  plugIn_.reset(create());
  Accept(path);
}

std::string PlugInModule::DefaultPath() {
  return ModuleBesideProgram(kModuleFileName);
}

}  // namespace quorvel::app
