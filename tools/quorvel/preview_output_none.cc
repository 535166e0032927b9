#include "tools/quorvel/command_error.h"
#include "tools/quorvel/preview_output.h"

namespace quorvel::app {

void WritePreviewPictures(const PreviewModel&, const PreviewPictures&) {
  throw CommandError(kExitNoWindows, "this build has no Qt and cannot draw the preview");
}

int ShowPreviewWindow(const PreviewModel&, std::int64_t) {
  throw CommandError(kExitNoWindows, "this build has no Qt and cannot show the preview");
}

}  // namespace quorvel::app
