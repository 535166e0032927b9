#pragma once

#include <string>

namespace quorvel::app {

// Says on standard error which temporary files of unfinished saves lie beside the
// model `path`, or removes them when `remove`; to be called with the model locked,
// so that no save of ours is running.
void ReportLeftOvers(const std::string& path, bool remove);

}  // namespace quorvel::app
