// The seam between the pages and the Event Editor: what a page hands the editor, and
// who runs it. Normally the real CEventEditor; a test of the pages alone installs a
// runner of its own for a scope:
//
//   EventEditorRunnerScope scope([](EventEditorRun& run) { run.events.push_back(...); });
#pragma once

#include <functional>

#include "framework/core/wnd.h"
#include "plugin/attributes/event_block.h"
#include "plugin/attributes/name_list.h"

namespace quorvel::ui {

// One run of the Event Editor, asked for by a page.
struct EventEditorRun {
  CWnd* owner = nullptr;  // the sheet: the editor is modal over it
  const NameList& shipNames;
  const NameList& cameraNames;
  const NameList& otherNames;
  bool modelLevel = true;  // the model-level event set, or a joint's
  EventList& events;       // handed in, and the editor's list after it closed
};

using EventEditorRunner = std::function<void(EventEditorRun&)>;

// Runs the real CEventEditor modally on run.events, which take the editor's list
// back whichever button closed it.
void RunEventEditorDialog(EventEditorRun& run);

// Runs the installed runner, or RunEventEditorDialog when none is installed.
void RunEventEditor(EventEditorRun& run);

// Installs a runner for the length of a scope and restores the previous one.
class EventEditorRunnerScope {
 public:
  explicit EventEditorRunnerScope(EventEditorRunner runner);
  ~EventEditorRunnerScope();
  EventEditorRunnerScope(const EventEditorRunnerScope&) = delete;
  EventEditorRunnerScope& operator=(const EventEditorRunnerScope&) = delete;

 private:
  EventEditorRunner previous_;
};

}  // namespace quorvel::ui
