// MakeScriptedBackend for the test programs that play scripts through real widgets.
#include "framework/backends/qt/qt_script_player.h"
#include "tests/framework/core/scripted_backend.h"

namespace quorvel::ui::testing {

ScriptedBackend MakeScriptedBackend(const Script& script) {
  auto backend = std::make_unique<qt::QtScriptedBackend>(script);
  qt::QtScriptedBackend* raw = backend.get();
  return {std::move(backend), [raw] { raw->CheckFinished(); }};
}

}  // namespace quorvel::ui::testing
