#pragma once

#include <memory>
#include <string>

#include "plugin/session/plugin_interface.h"

namespace quorvel::app {

// The plug-in module loaded as the modeller loads a plug-in: opened at run time,
// entered through its exported CreatePlugIn, accepted only when its kind is that
// of a model-editing plug-in. The plug-in object is released before the module.
// On Windows the object is called through the layout of the modeller's compiler
// (plugin/session/host_object.h).
class PlugInModule {
 public:
  // Throws CommandError (exit status kExitPlugInError) saying what failed and for
  // which file.
  explicit PlugInModule(const std::string& path);

  PlugInInterface& plugIn() { return *plugIn_; }
  // The plug-in's title, as the modeller would list it.
  std::string Title();

  // Where the module is looked for when no path is given: the folder "lib" beside
  // the program's folder (the build and install layout), then the program's own
  // folder; on Windows, quorvel_plugin.dll in the program's folder.
  static std::string DefaultPath();

 private:
  // Refuses a missing plug-in object or one of another kind, naming `path`.
  void Accept(const std::string& path);

  struct Unload {
    void operator()(void* handle) const;
  };
  // In this order, so that the plug-in object goes before the module that holds its
  // code, on every way out of the constructor too.
  std::unique_ptr<void, Unload> handle_;
  std::unique_ptr<PlugInInterface> plugIn_;
};

}  // namespace quorvel::app
