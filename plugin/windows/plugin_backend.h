#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "framework/core/backend.h"
#include "framework/script/script.h"

namespace quorvel {

// The backend that a run of the plug-in DLL installs in the DLL's own dialog
// framework: the one place where the DLL chooses it. The host cannot install one,
// since the DLL shares nothing with it but CreatePlugIn.
struct PlugInBackend {
  std::unique_ptr<ui::Backend> backend;
  // With a script: the script line of the first step not played yet, 0 when every
  // step has been.
  std::function<int()> nextStepLine;
};

// With `script`, a backend that plays it; without, one that shows real windows.
// The backend is null, with `reason` for a person, when none can be had here.
PlugInBackend OpenPlugInBackend(std::optional<ui::Script> script, std::string& reason);

}  // namespace quorvel
