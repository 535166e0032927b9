#pragma once

#include <string>

#include "tools/timeline/layout.h"

namespace quorvel::app {

// The outputs of `quorvel timeline` that need Qt: a PNG drawn offscreen, and the
// window, from the module of real windows (qt_windows_module.h). A build without Qt,
// or whose module cannot be loaded, refuses both with a CommandError.

void WritePng(const timeline::Sequence& sequence, const timeline::View& view,
              const std::string& heading, const std::string& path);

// Shows the picture in a window that zooms and scrolls along the time axis and
// shows the whole event text on hover; returns the exit status.
int ShowTimelineWindow(const timeline::Sequence& sequence, const timeline::View& view,
                       const std::string& heading);

}  // namespace quorvel::app
