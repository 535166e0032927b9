// MakeScriptedBackend for the test programs that play scripts headless.
#include "framework/backends/headless/headless_backend.h"
#include "tests/framework/core/scripted_backend.h"

namespace quorvel::ui::testing {

ScriptedBackend MakeScriptedBackend(const Script& script) {
  auto backend = std::make_unique<HeadlessBackend>(script);
  HeadlessBackend* raw = backend.get();
  return {std::move(backend), [raw] { raw->CheckFinished(); }};
}

}  // namespace quorvel::ui::testing
