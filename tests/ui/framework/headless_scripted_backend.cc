// MakeScriptedBackend for the test programs that play scripts headless.
#include "tests/ui/framework/scripted_backend.h"
#include "ui/backends/headless/headless_backend.h"

namespace quorvel::ui::testing {

ScriptedBackend MakeScriptedBackend(const Script& script) {
  auto backend = std::make_unique<HeadlessBackend>(script);
  HeadlessBackend* raw = backend.get();
  return {std::move(backend), [raw] { raw->CheckFinished(); }};
}

}  // namespace quorvel::ui::testing
