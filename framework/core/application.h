// CWinApp: the application object of a module that uses the framework.
//
// A module defines one object of a class derived from CWinApp, which registers itself
// while it exists; its name captions the framework's own message boxes (data exchange
// failures). With no application object the name is "Quorvel".
//
//   class PlugInApplication : public CWinApp {
//    public:
//     PlugInApplication() : CWinApp("Quorvel") {}
//     bool InitInstance() override { return true; }
//   };
#pragma once

#include <string>
#include <string_view>

namespace quorvel::ui {

class CWinApp {
 public:
  explicit CWinApp(std::string_view appName = {});
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  // Start-up of the module: true on success. The module calls it once after its
  // application object exists.
  virtual bool InitInstance() { return true; }
  virtual int ExitInstance() { return 0; }

  const std::string& AppName() const { return appName_; }

 private:
  std::string appName_;
  CWinApp* previous_;
};

// The registered application object, or nullptr.
CWinApp* AfxGetApp();
// Its name, or "Quorvel" when there is none.
std::string AfxGetAppName();

}  // namespace quorvel::ui
