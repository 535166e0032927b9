#pragma once

#include <CLI/CLI.hpp>
#include <string>

#include "tools/quorvel/command.h"
#include "tools/timeline/layout.h"

namespace quorvel::app {

// The heading of a model's picture: its file name (without folders), frames and
// frame rate.
std::string TimelineHeading(const std::string& path, const timeline::Sequence& sequence);

// `quorvel timeline MODEL [-o FILE.svg|FILE.png] [--width N] [--from F] [--to F]
// [--game-root DIR]`; without -o the picture opens in a window.
void AddTimelineCommand(CLI::App& app, const GlobalOptions& options, CommandList& commands);

}  // namespace quorvel::app
