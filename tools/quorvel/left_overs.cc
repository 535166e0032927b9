#include "tools/quorvel/left_overs.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <sstream>

#include "host/ms_model_lib.h"

namespace quorvel::app {

void ReportLeftOvers(const std::string& path, bool remove) {
  std::istringstream lines(msHost_LeftOverFiles(path.c_str()));
  for (std::string left; std::getline(lines, left);) {
    if (!remove) {
      std::cerr << path << ": " << left
                << " was left by a save that never finished; it is not used. Add "
                   "--remove-left-overs to remove it\n";
    } else if (std::remove(left.c_str()) == 0) {
      std::cerr << path << ": removed " << left << ", left by a save that never finished\n";
    } else {
      std::cerr << path << ": cannot remove " << left << ": " << std::strerror(errno) << "\n";
    }
  }
}

}  // namespace quorvel::app
