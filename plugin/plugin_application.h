#pragma once

namespace quorvel {

// The application object of the plug-in module: one exists from the moment the
// module is loaded until it is unloaded. Its start-up does no work of the plug-in's
// own and holds no plug-in data.
//
// It is a plain class while the module does not use the dialog framework; the
// framework's application class (ui::CWinApp) is to become its base, with
// InitInstance overriding the framework's.
class PlugInApplication {
 public:
  PlugInApplication();
  virtual ~PlugInApplication();
  PlugInApplication(const PlugInApplication&) = delete;
  PlugInApplication& operator=(const PlugInApplication&) = delete;

  // Start-up of the module; reports success.
  virtual bool InitInstance();

  // The application object of the loaded module, or null.
  static PlugInApplication* Current();

 private:
  PlugInApplication* previous_;
};

}  // namespace quorvel
