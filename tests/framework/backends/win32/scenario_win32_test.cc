// The framework's scenario suite, played through the system's own dialogs.
#include "tests/framework/core/scenario_suite.h"

namespace quorvel::ui::testing {
namespace {

INSTANTIATE_TEST_SUITE_P(Win32, ScenarioTest,
                         ::testing::Values(ScenarioBackend{"Win32", MakeScriptedBackend}),
                         ScenarioBackendName);

}  // namespace
}  // namespace quorvel::ui::testing
