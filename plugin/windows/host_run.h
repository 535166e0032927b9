#pragma once

#include <functional>
#include <string>

#include "plugin/session/plugin_interface.h"

namespace quorvel {

// A UI script that the host hands to the plug-in (see framework/script/script_hand_off.h);
// an empty `script` hands none.
struct ScriptHandOff {
  std::string script;
  int from = 0;        // the script line of the plug-in's first step
  std::string report;  // where the outcome is written; empty: nowhere
};

// One run of `plugIn` on `model` as the DLL makes it for its host: the backend
// chosen (see plugin_backend.h) and installed for the run, the handed script
// played, and nothing thrown back into the host, whose compiler could not catch
// it. Returns -1 at once for a null model; otherwise 0 when the run ended (the user
// confirmed or cancelled: the report tells which), -1 when it failed. The outcome goes to the
// report file when there is one; without one, a failure is told to the user through `tell`.
int RunForHost(PlugInInterface& plugIn, ModelHandle model, const ScriptHandOff& handOff,
               const std::function<void(const std::string&)>& tell);

}  // namespace quorvel
