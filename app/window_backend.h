#pragma once

#include <memory>
#include <string>

#include "ui/framework/backend.h"

namespace quorvel::app {

// The seam between `quorvel edit` and the backend that shows real windows.
//
// window_backend_qt.cc provides these when the build has the Qt backend,
// window_backend_none.cc when it has not; the edit command needs neither to know.

// Whether this build can show real windows at all.
bool HasWindowBackend();

// A backend showing real windows, with whatever its toolkit needs kept alive beside
// it. Null, with `reason` saying why for a person, when none can be shown here (no
// display, say). Never aborts the program for want of a display.
std::unique_ptr<ui::Backend> OpenWindowBackend(std::string& reason);

}  // namespace quorvel::app
