#include "app/plugin_module.h"

#include <dlfcn.h>
#include <filesystem>

#include "app/command_error.h"

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
  std::error_code error;
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) {
    return kModuleFileName;
  }
  std::filesystem::path folder = program.parent_path();
  std::filesystem::path beside = folder.parent_path() / "lib" / kModuleFileName;
  if (std::filesystem::exists(beside, error)) {
    return beside.string();
  }
  return (folder / kModuleFileName).string();
}

}  // namespace quorvel::app
