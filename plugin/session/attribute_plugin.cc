#include "plugin/session/attribute_plugin.h"

#include <cstring>
#include <stdexcept>

#include "framework/core/backend.h"
#include "framework/core/resource_scope.h"
#include "plugin/session/edit_session.h"
#include "plugin/templates/templates.h"

namespace quorvel {

AttributePlugIn::AttributePlugIn() {
  static_assert(sizeof "Quorvel" <= sizeof titleBuffer);
  std::memcpy(titleBuffer, "Quorvel", sizeof "Quorvel");
}

int AttributePlugIn::Kind() {
  return kModelEditingPlugIn;
}

const char* AttributePlugIn::Title() {
  return titleBuffer;
}

int AttributePlugIn::Run(ModelHandle model) {
  if (model == nullptr) {
    return -1;
  }
  // The program installs its backend in the framework's one registry before it runs
  // the plug-in. Finding none here means that this module and the program do not
  // share one framework library, and every window would silently not open.
  if (ui::CurrentBackend() == nullptr) {
    throw std::runtime_error(std::string(kNoBackendMessage));
  }
  // The framework finds this module's templates for the length of the run, and the
  // previous set again however the run ends.
  ui::ResourceScope resources(ui::PlugInTemplates());
  EditSession session(model);
  session.Run();
  return 0;
}

}  // namespace quorvel
