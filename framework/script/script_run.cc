#include "framework/script/script_run.h"

#include <climits>
#include <utility>

namespace quorvel::ui {

ScriptRun::ScriptRun(std::string path, Script script)
    : path_(std::move(path)), player_(std::move(script)) {}

ScriptRun ScriptRun::Load(const std::string& path) {
  return ScriptRun(path, LoadScript(path));
}

int ScriptRun::NextLine() const {
  const Step* next = player_.NextStep();
  return next != nullptr ? next->line : 0;
}

void ScriptRun::PassStepsBefore(int line) {
  player_.PassStepsBefore(line == 0 ? INT_MAX : line);
}

bool ScriptRun::Awaits(std::string_view window) const {
  const Step* next = player_.NextStep();
  return next != nullptr && next->kind == StepKind::kWindow && next->name == window;
}

void ScriptRun::FinishUnlessAwaiting(std::string_view window) const {
  if (!Awaits(window)) {
    Finish();
  }
}

}  // namespace quorvel::ui
