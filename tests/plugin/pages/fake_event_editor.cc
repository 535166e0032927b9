#include "tests/plugin/pages/fake_event_editor.h"

#include "framework/core/dialog.h"
#include "plugin/templates/templates.h"

namespace quorvel::ui {
namespace {

class FakeEventEditor : public CDialog {
 public:
  explicit FakeEventEditor(EventEditorRun& run) : CDialog(IDD_EVENT_EDITOR, run.owner), run_(run) {}
  ~FakeEventEditor() override {
    if (!EventEditorLog().runs.empty())
      EventEditorLog().runs.back().result = Result();
  }

 protected:
  bool OnInitDialog() override {
    EventEditorRecord record;
    record.modelLevel = run_.modelLevel;
    record.shipNames = run_.shipNames;
    record.cameraNames = run_.cameraNames;
    record.otherNames = run_.otherNames;
    record.eventsReceived = run_.events;
    if (Owner() == nullptr) {
      record.owner = "none";
    } else {
      record.owner =
          (Owner()->Kind() == WindowKind::kSheet ? "sheet " : "dialog ") + Owner()->Title();
    }
    EventEditorLog().runs.push_back(record);
    // The page takes the list back however the editor closes.
    if (EventEditorLog().edit) {
      EventEditorLog().edit(run_.events);
    }
    return CDialog::OnInitDialog();
  }
  void DoDataExchange(CDataExchange*) override {}
  std::span<const MessageEntry> GetMessageMap() const override { return {}; }

 private:
  EventEditorRun& run_;
};

}  // namespace

FakeEventEditorLog& EventEditorLog() {
  static FakeEventEditorLog log;
  return log;
}

void RunFakeEventEditor(EventEditorRun& run) {
  FakeEventEditor editor(run);
  editor.DoModal();
}

}  // namespace quorvel::ui
