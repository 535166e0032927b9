#pragma once

#include <string>

#include "timeline/layout.h"

namespace quorvel::app {

// The outputs of `quorvel timeline` that need Qt: a PNG drawn offscreen, and the
// window. A build without Qt refuses both with a CommandError.

void WritePng(const timeline::Sequence& sequence, const timeline::View& view,
              const std::string& heading, const std::string& path);

// Shows the picture in a window that zooms and scrolls along the time axis and
// shows the whole event text on hover; returns the exit status.
int ShowTimelineWindow(const timeline::Sequence& sequence, const timeline::View& view,
                       const std::string& heading);

}  // namespace quorvel::app
