// The DLL's backends while it has no windows of its own: a script is played by the
// headless backend, and a run without one cannot show anything.
#include "plugin/windows/plugin_backend.h"

#include "ui/backends/headless/headless_backend.h"

namespace quorvel {

PlugInBackend OpenPlugInBackend(std::optional<ui::Script> script, std::string& reason) {
  if (!script) {
    reason =
        "this build of the plug-in has no windows of its own; it runs only from a UI "
        "script";
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
