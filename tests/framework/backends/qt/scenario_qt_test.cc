// The framework's scenario suite, played through real Qt widgets.
#include "tests/framework/core/scenario_suite.h"

namespace quorvel::ui::testing {
namespace {

INSTANTIATE_TEST_SUITE_P(Qt, ScenarioTest,
                         ::testing::Values(ScenarioBackend{"Qt", MakeScriptedBackend}),
                         ScenarioBackendName);

}  // namespace
}  // namespace quorvel::ui::testing
