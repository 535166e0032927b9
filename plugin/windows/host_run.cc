#include "plugin/windows/host_run.h"

#include <algorithm>
#include <fstream>
#include <new>

#include "framework/core/cancel_watch.h"
#include "framework/script/script_hand_off.h"
#include "plugin/windows/plugin_backend.h"

namespace quorvel {
namespace {

ui::RunOutcome Run(PlugInInterface& plugIn, ModelHandle model, const ScriptHandOff& handOff) {
  using Kind = ui::RunOutcome::Kind;
  try {
    std::optional<ui::Script> script;
    if (!handOff.script.empty()) {
      script = ui::LoadScript(handOff.script);
      std::erase_if(script->steps,
                    [&handOff](const ui::Step& step) { return step.line < handOff.from; });
    }
    std::string reason;
    PlugInBackend chosen = OpenPlugInBackend(std::move(script), reason);
    if (chosen.backend == nullptr) {
      return {Kind::kNoWindows, 0, reason};
    }
    ui::CancelWatch watch(*chosen.backend);
    const ui::BackendScope installed(&watch);
    plugIn.Run(model);
    return {watch.Cancelled() ? Kind::kCancelled : Kind::kPlayed,
            chosen.nextStepLine ? chosen.nextStepLine() : 0, ""};
  } catch (const ui::ScriptFailure& failure) {
    return ui::ScriptFailedOutcome(failure);
  } catch (const std::bad_alloc&) {
    return {Kind::kFailed, 0, "not enough memory"};
  } catch (const std::exception& error) {
    return {Kind::kFailed, 0, error.what()};
  } catch (...) {
    return {Kind::kFailed, 0, "an error of an unknown kind"};
  }
}

// The outcome as a person reads it.
std::string Describe(const ui::RunOutcome& outcome) {
  switch (outcome.kind) {
    case ui::RunOutcome::Kind::kScriptFailed:
      return "The UI script failed: " + outcome.message;
    case ui::RunOutcome::Kind::kNoWindows:
      return "No window can be shown: " + outcome.message;
    default:
      return "The plug-in failed: " + outcome.message;
  }
}

}  // namespace

int RunForHost(PlugInInterface& plugIn, ModelHandle model, const ScriptHandOff& handOff,
               const std::function<void(const std::string&)>& tell) {
  if (model == nullptr) {
    return -1;
  }
  ui::RunOutcome outcome;
  try {
    outcome = Run(plugIn, model, handOff);
  } catch (...) {
    return -1;  // the failure could not even be worded (no memory left)
  }
  const bool ended = outcome.kind == ui::RunOutcome::Kind::kPlayed ||
                     outcome.kind == ui::RunOutcome::Kind::kCancelled;
  try {
    if (!handOff.report.empty()) {
      std::ofstream report(handOff.report, std::ios::binary | std::ios::trunc);
      report << ui::WriteRunOutcome(outcome);
      report.close();
      if (!report) {
        tell("The outcome of the run cannot be written to " + handOff.report + ". " +
             (ended ? std::string("The run ended.") : Describe(outcome)));
      }
    } else if (!ended) {
      tell(Describe(outcome));
    }
  } catch (...) {
    // Nothing is thrown into the host; the result still says how the run went.
  }
  return ended ? 0 : -1;
}

}  // namespace quorvel
