// The window seam of quorvel.exe: the system's own dialogs, for what the program
// itself shows (the warning before the editor, the failed save's question and the
// file chooser after it). The editor's windows are the plug-in DLL's own: it
// carries its framework and the same backend inside itself.
#include <memory>

#include "framework/backends/win32/win32_backend.h"
#include "tools/quorvel/window_backend.h"

namespace quorvel::app {

std::unique_ptr<ui::Backend> OpenWindowBackend(std::string& /*reason*/) {
  return std::make_unique<ui::win32::Win32Backend>();
}

}  // namespace quorvel::app
