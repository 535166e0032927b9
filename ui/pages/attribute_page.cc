#include "ui/pages/attribute_page.h"

#include "ui/dialogs/event_editor.h"
#include "ui/framework/property_sheet.h"

namespace quorvel::ui {

AttributePage::AttributePage(int templateId) : CPropertyPage(templateId) {}

AttributePage::~AttributePage() = default;

void AttributePage::SetNameLists(const NameList& shipNames, const NameList& cameraNames,
                                 const NameList& otherNames) {
  shipNames_ = shipNames;
  cameraNames_ = cameraNames;
  otherNames_ = otherNames;
}

void AttributePage::RunEventEditor(EventList& events, bool modelLevel) {
  // Owned by the sheet, so that it is modal over the sheet and not over whatever
  // window happens to be topmost.
  CEventEditor editor(GetParentSheet());
  editor.SetNameLists(shipNames_, cameraNames_, otherNames_);
  editor.modelLevel = modelLevel;
  editor.SetEvents(events);
  editor.DoModal();
  editor.GetEvents(events);
}

}  // namespace quorvel::ui
