// The plug-in DLL's entry: CreatePlugIn, its one export (see plugin.def), and the
// application object that lives as long as the DLL is loaded.
#include <windows.h>

#include <string>

#include "plugin/plugin_application.h"
#include "plugin/windows/host_plugin.h"
#include "plugin/windows/host_run.h"
#include "ui/script/script_hand_off.h"

namespace {

quorvel::PlugInApplication theApplication;
[[maybe_unused]] const bool theApplicationStarted = theApplication.InitInstance();

// A variable of the process's environment, as the host set it; empty when unset.
std::string Environment(const char* name) {
  std::string value(MAX_PATH, '\0');
  for (;;) {
    const DWORD length =
        GetEnvironmentVariableA(name, value.data(), static_cast<DWORD>(value.size()));
    if (length < value.size()) {
      value.resize(length);
      return value;
    }
    value.resize(length);
  }
}

int RunInHost(quorvel::PlugInInterface& plugIn, quorvel::ModelHandle model) {
  quorvel::ScriptHandOff handOff;
  handOff.script = Environment(quorvel::ui::kScriptVariable);
  handOff.report = Environment(quorvel::ui::kScriptReportVariable);
  try {
    handOff.from = std::stoi(Environment(quorvel::ui::kScriptFromVariable));
  } catch (const std::exception&) {
    handOff.from = 0;
  }
  return quorvel::RunForHost(plugIn, model, handOff, [](const std::string& text) {
    MessageBoxA(nullptr, text.c_str(), "Quorvel", MB_OK | MB_ICONERROR);
  });
}

}  // namespace

extern "C" quorvel::HostPlugInObject* CreatePlugIn() {
  return quorvel::CreateHostPlugIn(&RunInHost);
}
