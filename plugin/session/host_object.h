#pragma once

#include "plugin/session/plugin_interface.h"

namespace quorvel {

// The plug-in object as the modeller on Windows sees it. Its compiler lays out the
// PlugInInterface class as one pointer, at the start of the object, to a table of
// four slots in the order of the class: one deleting destructor, Kind, Title, Run.
// On 32-bit Windows every slot takes the object in ECX and pops its own arguments
// (thiscall); 64-bit Windows has one convention, with the object first. The layout
// is spelled out here, not left to our compiler, whose own tables differ (two slots
// for a virtual destructor, among others); both sides of this project use it: the
// plug-in DLL builds such objects, and our host program calls them.
//
// GCC warns of thiscall on a function that is not a member, as every one here is,
// and applies it all the same: the warning is off where the slots are declared and
// defined (QUORVEL_BEGIN_SLOTS, QUORVEL_END_SLOTS).
// The convention itself is the build's to name (cmake/windows.cmake defines it for
// 32-bit Windows); elsewhere it is the compiler's own.
#ifndef QUORVEL_THISCALL
#define QUORVEL_THISCALL
#endif
#define QUORVEL_BEGIN_SLOTS \
  _Pragma("GCC diagnostic push") _Pragma("GCC diagnostic ignored \"-Wattributes\"")
#define QUORVEL_END_SLOTS _Pragma("GCC diagnostic pop")

struct HostPlugInObject;

QUORVEL_BEGIN_SLOTS
struct HostPlugInSlots {
  // Destroys the object and, when `flags` has the bit of value 1 (kFreeMemory), frees
  // its memory; returns the object's address.
  HostPlugInObject*(QUORVEL_THISCALL* destroy)(HostPlugInObject* self, unsigned flags);
  int(QUORVEL_THISCALL* kind)(HostPlugInObject* self);
  const char*(QUORVEL_THISCALL* title)(HostPlugInObject* self);
  int(QUORVEL_THISCALL* run)(HostPlugInObject* self, ModelHandle model);
};
QUORVEL_END_SLOTS

struct HostPlugInObject {
  const HostPlugInSlots* slots;
};

inline constexpr unsigned kFreeMemory = 1;

// CreatePlugIn as the DLL exports it: no arguments, the C calling convention.
using CreateHostPlugInFunction = HostPlugInObject* (*)();

// A host's hold on such an object, through the PlugInInterface that the rest of our
// host program uses: every call goes through the object's own table, and the
// object is released through its destructor slot, with its memory.
class HostPlugInCaller : public PlugInInterface {
 public:
  explicit HostPlugInCaller(HostPlugInObject* object) : object_(object) {}
  ~HostPlugInCaller() override { object_->slots->destroy(object_, kFreeMemory); }
  HostPlugInCaller(const HostPlugInCaller&) = delete;
  HostPlugInCaller& operator=(const HostPlugInCaller&) = delete;

  int Kind() override { return object_->slots->kind(object_); }
  const char* Title() override { return object_->slots->title(object_); }
  int Run(ModelHandle model) override { return object_->slots->run(object_, model); }

 private:
  HostPlugInObject* object_;
};

}  // namespace quorvel
