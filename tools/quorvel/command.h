#pragma once

#include <functional>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

namespace quorvel::app {

// What every subcommand can use from the command line as a whole.
struct GlobalOptions {
  // The plug-in module to load; empty means the one installed beside the program.
  std::string plugInPath;
};

// A subcommand: the part of the command line it owns and what runs when it was
// given. Each subcommand lives in its own file and registers itself through an
// Add...Command function, so that a new one is one more file and one more line in
// main.
struct Command {
  CLI::App* line = nullptr;
  std::function<int()> run;
};

using CommandList = std::vector<Command>;

}  // namespace quorvel::app
