#include "plugin/attribute_plugin.h"

#include <cstring>

#include "plugin/edit_session.h"
#include "resources/templates.h"
#include "ui/framework/resource_scope.h"

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
  // The framework finds this module's templates for the length of the run, and the
  // previous set again however the run ends.
  ui::ResourceScope resources(ui::PlugInTemplates());
  EditSession session(model);
  session.Run();
  return 0;
}

}  // namespace quorvel
