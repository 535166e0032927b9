#pragma once

#include <string>

namespace quorvel::app {

// Where a module that the program loads at run time is looked for: the folder "lib"
// beside the program's folder (the build and install layout), then the program's
// own folder. Returns the first path where `fileName` exists, else the one in the
// program's folder, so that a failure to load names a real place; the bare name
// when the program's own path cannot be read.
std::string ModuleBesideProgram(const std::string& fileName);

}  // namespace quorvel::app
