#include "framework/core/application.h"

namespace quorvel::ui {
namespace {
CWinApp* g_app = nullptr;
}  // namespace

CWinApp::CWinApp(std::string_view appName) : appName_(appName), previous_(g_app) {
  g_app = this;
}

CWinApp::~CWinApp() {
  if (g_app == this)
    g_app = previous_;
}

CWinApp* AfxGetApp() {
  return g_app;
}

std::string AfxGetAppName() {
  if (g_app != nullptr && !g_app->AppName().empty())
    return g_app->AppName();
  return "Quorvel";
}

}  // namespace quorvel::ui
