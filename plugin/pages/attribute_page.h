// AttributePage: what the three attribute pages have in common.
//
// Each page keeps its own copies of the session's ship, camera and other name lists,
// only to hand them on to the Event Editor, and runs that editor on its events from
// the "Event Editor" button (11014). NameList copies share their names, so a sheet of
// tens of thousands of pages holds the lists once.
//
// A page loads its record from its comment either at once (the record's
// LoadAttributes) or later (LoadAttributesLater): then it keeps only a view of the
// comment and loads when the record is first needed, that is when the page's window
// is made. A sheet of tens of thousands of joints thus holds the records of the pages
// the user looked at, not a copy of every event of the model.
#pragma once

#include <string_view>

#include "framework/core/property_page.h"
#include "plugin/attributes/event_block.h"
#include "plugin/attributes/name_list.h"

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

  // Keeps `comment` to load the record from when it is first needed, instead of now.
  // The text must stay as it is, where it is, until then or until the page is gone.
  void LoadAttributesLater(std::string_view comment);
  // Whether the record still waits for that load, and the comment it waits for.
  bool LoadIsDeferred() const { return deferredComment_.data() != nullptr; }
  std::string_view DeferredComment() const { return deferredComment_; }
  // Loads the record from the kept comment now, if it still waits for it.
  void LoadDeferredAttributes();

  // Loads a deferred record before the fields are shown.
  bool OnInitDialog() override;

 protected:
  explicit AttributePage(int templateId);

  // Replaces the record's fields from `comment` (the record's LoadAttributes).
  virtual void LoadRecord(std::string_view comment) = 0;

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
  // Null while nothing waits to be loaded.
  std::string_view deferredComment_{nullptr, 0};
};

}  // namespace quorvel::ui
