// The plug-in DLL's entry: CreatePlugIn, its one export (see plugin.def), and the
// application object that lives as long as the DLL is loaded.
#include <windows.h>

#include <stdexcept>
#include <string>

#include "framework/script/script_hand_off.h"
#include "plugin/session/plugin_application.h"
#include "plugin/windows/host_plugin.h"
#include "plugin/windows/host_run.h"

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

// The Run slot's work: nothing may be thrown into the host.
int RunInHost(quorvel::PlugInInterface& plugIn, quorvel::ModelHandle model) {
  if (model == nullptr) {
    return -1;
  }
  const auto tell = [](const std::string& text) {
    MessageBoxA(nullptr, text.c_str(), "Quorvel", MB_OK | MB_ICONERROR);
  };
  quorvel::ScriptHandOff handOff;
  try {
    handOff.script = Environment(quorvel::ui::kScriptVariable);
    handOff.report = Environment(quorvel::ui::kScriptReportVariable);
    const std::string from = Environment(quorvel::ui::kScriptFromVariable);
    handOff.from = from.empty() ? 0 : std::stoi(from);
  } catch (const std::out_of_range&) {
    handOff.from = 0;
  } catch (const std::invalid_argument&) {
    handOff.from = 0;
  } catch (...) {
    tell("The plug-in cannot run: not enough memory");
    return -1;
  }
  return quorvel::RunForHost(plugIn, model, handOff, tell);
}

}  // namespace

extern "C" quorvel::HostPlugInObject* CreatePlugIn() {
  return quorvel::CreateHostPlugIn(&RunInHost);
}
