// The scenario suite: the framework's behaviour driven by UI scripts, held against
// every backend. A backend's test program compiles scenario_suite.cc and
// test_dialogs.cc and instantiates the suite with a factory for its backend:
//
//   INSTANTIATE_TEST_SUITE_P(Headless, ScenarioTest,
//                            ::testing::Values(ScenarioBackend{"Headless", MakeHeadless}),
//                            ScenarioBackendName);
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "framework/core/backend.h"
#include "framework/script/script.h"
#include "tests/framework/core/scripted_backend.h"

namespace quorvel::ui::testing {

struct ScenarioBackend {
  std::string name;
  std::function<ScriptedBackend(const Script&)> make;
};

inline std::string ScenarioBackendName(const ::testing::TestParamInfo<ScenarioBackend>& info) {
  return info.param.name;
}

class ScenarioTest : public ::testing::TestWithParam<ScenarioBackend> {
 protected:
  // Installs the test templates and a backend playing script, runs body, and
  // requires that the whole script was played without a failure.
  void Play(std::string_view script, const std::function<void()>& body);
  // The same, but the script must fail: returns the failure.
  ScriptFailure PlayFailing(std::string_view script, const std::function<void()>& body);

 private:
  // Plays as both do, requiring that no window is left open: the failure, if any.
  std::optional<ScriptFailure> PlayScenario(std::string_view script,
                                            const std::function<void()>& body);
};

}  // namespace quorvel::ui::testing
