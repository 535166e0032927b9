// The DLL's backends on Windows: the system's own dialogs; a UI script handed over
// plays through them with the messages of a user's input.
#include "plugin/windows/plugin_backend.h"

#include "framework/backends/win32/win32_script_player.h"

namespace quorvel {

PlugInBackend OpenPlugInBackend(std::optional<ui::Script> script, std::string& /*reason*/) {
  if (!script)
    return {std::make_unique<ui::win32::Win32Backend>(), nullptr};
  auto scripted = std::make_unique<ui::win32::Win32ScriptedBackend>(std::move(*script));
  ui::win32::Win32ScriptPlayer* player = &scripted->Player();
  return {std::move(scripted), [player] {
            const ui::Step* next = player->NextStep();
            return next == nullptr ? 0 : next->line;
          }};
}

}  // namespace quorvel
