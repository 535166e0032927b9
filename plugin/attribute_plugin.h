#pragma once

#include "plugin/plugin_interface.h"

namespace quorvel {

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
  // session made has been released.
  int Run(ModelHandle model) override;

 private:
  char titleBuffer[64];
};

}  // namespace quorvel
