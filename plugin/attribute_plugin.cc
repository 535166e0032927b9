#include "plugin/attribute_plugin.h"

#include <cstring>

#include "plugin/joint_walk.h"

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
  // Until the editing session exists, a run is its joint walk alone.
  WalkJoints(model);
  return 0;
}

}  // namespace quorvel
