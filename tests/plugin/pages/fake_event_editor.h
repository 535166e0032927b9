// A stand-in for the Event Editor in the page tests, installed through the pages'
// editor seam: it runs template 11005 as the real one does, records what the page
// handed it, and lets a test change its list while it is open, as a user's Add,
// Edit and Remove would.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "plugin/attributes/event_block.h"
#include "plugin/attributes/name_list.h"
#include "plugin/pages/event_editor_runner.h"

namespace quorvel::ui {

struct EventEditorRecord {
  bool modelLevel = true;
  NameList shipNames;
  NameList cameraNames;
  NameList otherNames;
  EventList eventsReceived;
  // The window it was modal over, as it was then: "sheet Quorvel", or "none".
  std::string owner;
  int result = 0;
};

struct FakeEventEditorLog {
  std::vector<EventEditorRecord> runs;
  // Called while the editor is open, on its own list.
  std::function<void(EventList&)> edit;
};

FakeEventEditorLog& EventEditorLog();

// Runs the stand-in on `run` and records it in EventEditorLog(); for an
// EventEditorRunnerScope.
void RunFakeEventEditor(EventEditorRun& run);

}  // namespace quorvel::ui
