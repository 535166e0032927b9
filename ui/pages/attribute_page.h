// AttributePage: what the three attribute pages have in common.
//
// Each page keeps its own copies of the session's ship, camera and other name lists,
// only to hand them on to the Event Editor, and runs that editor on its events from
// the "Event Editor" button (11014). NameList copies share their names, so a sheet of
// tens of thousands of pages holds the lists once.
#pragma once

#include "attributes/event_block.h"
#include "attributes/name_list.h"
#include "ui/framework/property_page.h"

namespace quorvel::ui {

class AttributePage : public CPropertyPage {
 public:
  ~AttributePage() override;

  // Replaces the page's copies, in this order everywhere: ships, cameras, others.
  void SetNameLists(const NameList& shipNames, const NameList& cameraNames,
                    const NameList& otherNames);
  const NameList& ShipNames() const { return shipNames_; }
  const NameList& CameraNames() const { return cameraNames_; }
  const NameList& OtherNames() const { return otherNames_; }

 protected:
  explicit AttributePage(int templateId);

  // Runs the Event Editor modally over the sheet on a copy of `events`, offering the
  // model-level or the joint-level event set. The editor applies Add, Edit and Remove
  // to its own list at once, so its list comes back whichever button closed it.
  // The page's controls are neither taken back before nor refreshed after: none of
  // them shows the events. The editor is run through the seam in
  // event_editor_runner.h.
  void RunEventEditor(EventList& events, bool modelLevel);

 private:
  NameList shipNames_;
  NameList cameraNames_;
  NameList otherNames_;
};

}  // namespace quorvel::ui
