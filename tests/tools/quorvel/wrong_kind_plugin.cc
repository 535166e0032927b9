// A plug-in module of another kind, which the quorvel command must refuse.
#include "plugin/session/plugin_interface.h"

namespace {

class OtherKindPlugIn : public quorvel::PlugInInterface {
 public:
  int Kind() override { return 1; }
  const char* Title() override { return "Exporter"; }
  int Run(quorvel::ModelHandle) override { return 0; }
};

}  // namespace

extern "C" quorvel::PlugInInterface* CreatePlugIn() {
  return new OtherKindPlugIn;
}
