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
  // -1 for a null model, with no call into the host; otherwise one editing run on
  // the model, then 0.
  int Run(ModelHandle model) override;

 private:
  char titleBuffer[64];
};

}  // namespace quorvel
