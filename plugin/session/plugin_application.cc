#include "plugin/session/plugin_application.h"

namespace quorvel {

PlugInApplication::PlugInApplication() : ui::CWinApp("Quorvel") {}

PlugInApplication::~PlugInApplication() = default;

bool PlugInApplication::InitInstance() {
  return true;
}

}  // namespace quorvel
