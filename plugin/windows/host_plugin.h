#pragma once

#include "plugin/session/host_object.h"

namespace quorvel {

// How the object's Run slot runs the plug-in (see RunForHost).
using HostRun = int (*)(PlugInInterface& plugIn, ModelHandle model);

// A new Quorvel plug-in object in the layout the host's compiler gives it (see
// plugin/session/host_object.h), whose Run slot runs through `run`; null when no memory can
// be had. The host releases it through its destructor slot.
HostPlugInObject* CreateHostPlugIn(HostRun run);

}  // namespace quorvel
