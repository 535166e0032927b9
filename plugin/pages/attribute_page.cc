#include "plugin/pages/attribute_page.h"

#include "framework/core/property_sheet.h"
#include "plugin/pages/event_editor_runner.h"

namespace quorvel::ui {

AttributePage::AttributePage(int templateId) : CPropertyPage(templateId) {}

AttributePage::~AttributePage() = default;

void AttributePage::SetNameLists(const NameList& shipNames, const NameList& cameraNames,
                                 const NameList& otherNames) {
  shipNames_ = shipNames;
  cameraNames_ = cameraNames;
  otherNames_ = otherNames;
}

void AttributePage::LoadAttributesLater(std::string_view comment) {
  // An empty view may carry no address; it is kept as an empty text that waits.
  deferredComment_ = comment.data() != nullptr ? comment : std::string_view("");
}

void AttributePage::LoadDeferredAttributes() {
  if (!LoadIsDeferred()) {
    return;
  }
  const std::string_view comment = deferredComment_;
  deferredComment_ = std::string_view(nullptr, 0);
  LoadRecord(comment);
}

bool AttributePage::OnInitDialog() {
  LoadDeferredAttributes();
  return CPropertyPage::OnInitDialog();
}

void AttributePage::RunEventEditor(EventList& events, bool modelLevel) {
  LoadDeferredAttributes();  // the editor's button is on a made page: already loaded
  // Owned by the sheet, so that it is modal over the sheet and not over whatever
  // window happens to be topmost.
  EventEditorRun run{GetParentSheet(), shipNames_, cameraNames_, otherNames_, modelLevel, events};
  ui::RunEventEditor(run);
}

}  // namespace quorvel::ui
