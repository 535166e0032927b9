// The framework's scenario suite, played through real Qt widgets.
#include <memory>

#include "tests/ui/framework/scenario_suite.h"
#include "ui/backends/qt/qt_script_player.h"

namespace quorvel::ui::testing {
namespace {

ScriptedBackend MakeQt(const Script& script) {
  auto backend = std::make_unique<qt::QtScriptedBackend>(script);
  qt::QtScriptedBackend* raw = backend.get();
  return {std::move(backend), [raw] { raw->CheckFinished(); }};
}

INSTANTIATE_TEST_SUITE_P(Qt, ScenarioTest, ::testing::Values(ScenarioBackend{"Qt", MakeQt}),
                         ScenarioBackendName);

}  // namespace
}  // namespace quorvel::ui::testing
