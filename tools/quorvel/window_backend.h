#pragma once

#include <memory>
#include <string>

#include "framework/core/backend.h"

namespace quorvel::app {

// The seam between `quorvel edit` and the backend that shows real windows.
//
// window_backend_module.cc provides these when the build has the Qt backend, from
// the module of real windows loaded on first use (qt_windows_module.h);
// window_backend_none.cc when it has not; the edit command needs neither to know.

// A backend showing real windows, with whatever its toolkit needs kept alive beside
// it. Null, with `reason` saying why for a person, when none can be shown here (no
// display, say). Never aborts the program for want of a display: when the toolkit
// finds out only while it starts, the program ends at once as the edit command ends
// for want of windows (NoWindowsMessage, kExitNoWindows), having saved nothing.
std::unique_ptr<ui::Backend> OpenWindowBackend(std::string& reason);

// What `quorvel edit` says when it cannot show windows, for this reason.
inline std::string NoWindowsMessage(const std::string& reason) {
  return "cannot show the editor's windows: " + reason +
         ". Run it from a UI script with --script FILE instead.";
}

}  // namespace quorvel::app
