#pragma once

#include "framework/core/application.h"

namespace quorvel {

// The application object of the plug-in module: one exists from the moment the
// module is loaded until it is unloaded. Its start-up does no work of the plug-in's
// own and holds no plug-in data; as the framework's application object it gives the
// framework's own messages their caption.
class PlugInApplication : public ui::CWinApp {
 public:
  PlugInApplication();
  ~PlugInApplication() override;

  // Start-up of the module; reports success.
  bool InitInstance() override;
};

}  // namespace quorvel
