// The backend that plays a UI script in a test program. Script-driven tests get it
// from MakeScriptedBackend, which the program links in one of two forms:
// headless_scripted_backend.cc (the headless backend) or, in the Qt backend's test
// programs, tests/framework/backends/qt/qt_scripted_backend.cc (real widgets). The same
// test sources thus hold both backends to the same scripts.
#pragma once

#include <functional>
#include <memory>

#include "framework/core/backend.h"
#include "framework/script/script.h"

namespace quorvel::ui::testing {

// A backend that plays one script, and the check that it played all of it.
struct ScriptedBackend {
  std::unique_ptr<Backend> backend;
  std::function<void()> checkFinished;  // throws ScriptFailure when steps are left
};

ScriptedBackend MakeScriptedBackend(const Script& script);

}  // namespace quorvel::ui::testing
