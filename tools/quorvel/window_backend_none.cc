// The window seam in a build without the Qt backend.
#include "tools/quorvel/window_backend.h"

namespace quorvel::app {

std::unique_ptr<ui::Backend> OpenWindowBackend(std::string& reason) {
  reason =
      "this quorvel was built without the Qt backend, so it cannot show windows "
      "(build with -DQUORVEL_WITH_QT=ON and Qt 6 installed)";
  return nullptr;
}

}  // namespace quorvel::app
