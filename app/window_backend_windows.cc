// The window seam of quorvel.exe: the windows are the plug-in DLL's own, and the
// program shows none of its own yet.
#include "app/window_backend.h"

namespace quorvel::app {

bool HasWindowBackend() {
  return false;
}

std::unique_ptr<ui::Backend> OpenWindowBackend(std::string& reason) {
  reason = "this quorvel.exe shows no windows of its own yet";
  return nullptr;
}

}  // namespace quorvel::app
