#include "plugin/session/plugin_application.h"

namespace quorvel {
namespace {
PlugInApplication* current = nullptr;
}  // namespace

PlugInApplication::PlugInApplication() : ui::CWinApp("Quorvel"), previous_(current) {
  current = this;
}

PlugInApplication::~PlugInApplication() {
  current = previous_;
}

bool PlugInApplication::InitInstance() {
  return true;
}

PlugInApplication* PlugInApplication::Current() {
  return current;
}

}  // namespace quorvel
