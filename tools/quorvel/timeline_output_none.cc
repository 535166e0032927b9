#include "tools/quorvel/command_error.h"
#include "tools/quorvel/timeline_output.h"

namespace quorvel::app {

void WritePng(const timeline::Sequence&, const timeline::View&, const std::string&,
              const std::string&) {
  throw CommandError(kExitUsage, "this build has no Qt: write the picture as .svg");
}

int ShowTimelineWindow(const timeline::Sequence&, const timeline::View&, const std::string&) {
  throw CommandError(kExitNoWindows,
                     "this build has no Qt and cannot show a window; write the picture with "
                     "-o FILE.svg");
}

}  // namespace quorvel::app
