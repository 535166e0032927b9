// The DLL's run with windows kept in memory, for the tests of that run on every
// system (the DLL itself links plugin_backend_win32.cc): a script is played by the
// headless backend, and a run without one cannot show anything.
#include "plugin/windows/plugin_backend.h"

#include "framework/backends/headless/headless_backend.h"

namespace quorvel {

PlugInBackend OpenPlugInBackend(std::optional<ui::Script> script, std::string& reason) {
  if (!script) {
    reason = "this build of the plug-in shows no windows; it runs only from a UI script";
    return {};
  }
  auto headless = std::make_unique<ui::HeadlessBackend>(std::move(*script));
  ui::HeadlessBackend* player = headless.get();
  return {std::move(headless), [player] {
            const ui::Step* next = player->NextStep();
            return next == nullptr ? 0 : next->line;
          }};
}

}  // namespace quorvel
