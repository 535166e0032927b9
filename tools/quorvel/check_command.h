#pragma once

#include <CLI/CLI.hpp>

#include "tools/quorvel/check_report.h"
#include "tools/quorvel/command.h"

namespace quorvel::app {

// Exit status of `quorvel check` when an error was found (with --strict, also a
// warning).
inline constexpr int kExitProblemsFound = 6;

// The exit status for a finished report: a file that could not be read first, then
// an error found (a warning too under `strict`), else success.
int CheckExitStatus(const CheckReport& report, bool strict);

// `quorvel check MODEL... [--json] [--ignore CODE,...] [--max-problems N] [--strict]
// [--game-root DIR]`.
void AddCheckCommand(CLI::App& app, const GlobalOptions& options, CommandList& commands);

}  // namespace quorvel::app
