// MakeScriptedBackend for the test programs that play scripts through the system's
// own dialogs.
#include "framework/backends/win32/win32_script_player.h"
#include "tests/framework/core/scripted_backend.h"

namespace quorvel::ui::testing {

ScriptedBackend MakeScriptedBackend(const Script& script) {
  auto backend = std::make_unique<win32::Win32ScriptedBackend>(script);
  win32::Win32ScriptedBackend* raw = backend.get();
  return {std::move(backend), [raw] { raw->CheckFinished(); }};
}

}  // namespace quorvel::ui::testing
