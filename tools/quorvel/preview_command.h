#pragma once

#include <CLI/CLI.hpp>

#include "tools/quorvel/command.h"

namespace quorvel::app {

// `quorvel preview MODEL [-o FILE.png [--frame N] [--size WxH]] [-o DIR/ --frames A:B]
// [--storyboard -o FILE.png]`; without -o the sequence plays in a window.
void AddPreviewCommand(CLI::App& app, const GlobalOptions& options, CommandList& commands);

}  // namespace quorvel::app
