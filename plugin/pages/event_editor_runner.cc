#include "plugin/pages/event_editor_runner.h"

#include <utility>

#include "plugin/dialogs/event_editor.h"

namespace quorvel::ui {
namespace {

EventEditorRunner& InstalledRunner() {
  static EventEditorRunner runner;
  return runner;
}

}  // namespace

void RunEventEditorDialog(EventEditorRun& run) {
  CEventEditor editor(run.owner);
  editor.SetNameLists(run.shipNames, run.cameraNames, run.otherNames);
  editor.modelLevel = run.modelLevel;
  editor.SetEvents(run.events);
  editor.DoModal();
  editor.GetEvents(run.events);
}

void RunEventEditor(EventEditorRun& run) {
  if (const EventEditorRunner& runner = InstalledRunner())
    runner(run);
  else
    RunEventEditorDialog(run);
}

EventEditorRunnerScope::EventEditorRunnerScope(EventEditorRunner runner)
    : previous_(std::exchange(InstalledRunner(), std::move(runner))) {}

EventEditorRunnerScope::~EventEditorRunnerScope() {
  InstalledRunner() = std::move(previous_);
}

}  // namespace quorvel::ui
