#include "plugin/windows/host_plugin.h"

#include <cstddef>
#include <new>
#include <type_traits>

#include "plugin/session/attribute_plugin.h"

namespace quorvel {
namespace {

// The host's pointer is the address of `object`, which comes first.
struct HostPlugIn {
  HostPlugInObject object;
  AttributePlugIn* plugIn;
  HostRun run;

  ~HostPlugIn() { delete plugIn; }
};
static_assert(std::is_standard_layout_v<HostPlugIn>);
static_assert(offsetof(HostPlugIn, object) == 0);

HostPlugIn* Of(HostPlugInObject* self) {
  return reinterpret_cast<HostPlugIn*>(self);
}

QUORVEL_BEGIN_SLOTS

HostPlugInObject* QUORVEL_THISCALL Destroy(HostPlugInObject* self, unsigned flags) {
  HostPlugIn* plugIn = Of(self);
  plugIn->~HostPlugIn();
  if ((flags & kFreeMemory) != 0) {
    ::operator delete(plugIn);
  }
  return self;
}

int QUORVEL_THISCALL Kind(HostPlugInObject* self) {
  return Of(self)->plugIn->Kind();
}

const char* QUORVEL_THISCALL Title(HostPlugInObject* self) {
  return Of(self)->plugIn->Title();
}

int QUORVEL_THISCALL Run(HostPlugInObject* self, ModelHandle model) {
  HostPlugIn* plugIn = Of(self);
  return plugIn->run(*plugIn->plugIn, model);
}

constexpr HostPlugInSlots kSlots = {&Destroy, &Kind, &Title, &Run};

QUORVEL_END_SLOTS

}  // namespace

HostPlugInObject* CreateHostPlugIn(HostRun run) {
  void* memory = ::operator new(sizeof(HostPlugIn), std::nothrow);
  AttributePlugIn* plugIn = new (std::nothrow) AttributePlugIn;
  if (memory == nullptr || plugIn == nullptr) {
    ::operator delete(memory);
    delete plugIn;
    return nullptr;
  }
  return &(new (memory) HostPlugIn{{&kSlots}, plugIn, run})->object;
}

}  // namespace quorvel
