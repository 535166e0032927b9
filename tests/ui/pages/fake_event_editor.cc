#include "tests/ui/pages/fake_event_editor.h"

#include "ui/dialogs/event_editor.h"

namespace quorvel::ui {

FakeEventEditorLog& EventEditorLog() {
  static FakeEventEditorLog log;
  return log;
}

CEventEditor::CEventEditor(CWnd* parent) : CDialog(IDD, parent) {}

CEventEditor::~CEventEditor() {
  if (!EventEditorLog().runs.empty()) {
    EventEditorLog().runs.back().result = Result();
  }
}

void CEventEditor::SetNameLists(const NameList& ships, const NameList& cameras,
                                const NameList& others) {
  shipNames = ships;
  cameraNames = cameras;
  otherNames = others;
}

void CEventEditor::SetEvents(const EventList& list) {
  events = list;
}

void CEventEditor::GetEvents(EventList& list) const {
  list = events;
}

bool CEventEditor::OnInitDialog() {
  EventEditorRecord record;
  record.modelLevel = modelLevel;
  record.shipNames = shipNames;
  record.cameraNames = cameraNames;
  record.otherNames = otherNames;
  record.eventsReceived = events;
  if (Owner() == nullptr) {
    record.owner = "none";
  } else {
    record.owner =
        (Owner()->Kind() == WindowKind::kSheet ? "sheet " : "dialog ") + Owner()->Title();
  }
  EventEditorLog().runs.push_back(record);
  if (EventEditorLog().edit) {
    EventEditorLog().edit(events);
  }
  return CDialog::OnInitDialog();
}

void CEventEditor::DoDataExchange(CDataExchange*) {}

std::span<const MessageEntry> CEventEditor::GetMessageMap() const {
  return {};
}

}  // namespace quorvel::ui
