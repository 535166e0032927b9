#pragma once

#include <string_view>

#include "plugin/session/plugin_interface.h"

namespace quorvel {

// Why a run fails when the framework that this module sees has no backend: the
// module and the program loaded different copies of the framework library.
inline constexpr std::string_view kNoBackendMessage =
    "no window backend is installed in the dialog framework this module uses; the "
    "program and the plug-in module must load one and the same shared "
    "libquorvel_framework.so";

// The Quorvel plug-in object: it has no state besides its title, so its functions
// may be called any number of times in any order.
class AttributePlugIn : public PlugInInterface {
 public:
  AttributePlugIn();

  int Kind() override;
  const char* Title() override;
  // -1 for a null model, with no call into the host; otherwise one editing session
  // on the model, then 0, whether the user confirmed or cancelled. An error raised
  // during the session (a failed UI script, say) leaves Run after everything the
  // session made has been released. With no window backend installed in the
  // framework this module sees, Run throws std::runtime_error(kNoBackendMessage)
  // before it reads anything.
  int Run(ModelHandle model) override;

 private:
  char titleBuffer[64];
};

}  // namespace quorvel
