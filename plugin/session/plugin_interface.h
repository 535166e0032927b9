#pragma once

#include "plugin/joints/host_handles.h"

namespace quorvel {

// What the host expects of a plug-in object. The order of the virtual functions is
// the order of the slots the host calls through, so it must not change.
class PlugInInterface {
 public:
  virtual ~PlugInInterface() = default;
  // The host's code for the kind of plug-in.
  virtual int Kind() = 0;
  // The text under which the host offers the plug-in.
  virtual const char* Title() = 0;
  // Runs the plug-in on the model being edited.
  virtual int Run(ModelHandle model) = 0;
};

// The one function a plug-in module exports: a new plug-in object, or null when no
// memory can be had. The host releases the object through its destructor.
using CreatePlugInFunction = PlugInInterface* (*)();
inline constexpr char kCreatePlugInSymbol[] = "CreatePlugIn";

// The kind code of a plug-in that edits the model.
inline constexpr int kModelEditingPlugIn = 3;

}  // namespace quorvel
