// CEventEditor: the "Event Editor" dialog (template 11005), in which the user keeps
// the timed events of one attribute page.
//
// A page's OnEventEditor uses it like this:
//
//   CEventEditor editor;                      // no parent window
//   editor.SetNameLists(shipNames, cameraNames, otherNames);
//   editor.modelLevel = false;                // true only from the NIS Attributes page
//   editor.SetEvents(events);
//   editor.DoModal();
//   editor.GetEvents(events);                 // whichever button closed it
//
// The editor changes its own copy of the events at once on every Add, Edit and
// Remove, so the list read back after Cancel holds the same edits as after OK.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "framework/core/dialog.h"
#include "plugin/attributes/event_block.h"
#include "plugin/attributes/name_list.h"
#include "plugin/events/event_catalogue.h"

namespace quorvel::ui {

class CEventEditor : public CDialog {
 public:
  explicit CEventEditor(CWnd* parent = nullptr);
  ~CEventEditor() override;

  // Copies of the session's lists, handed on to every Event Attributes dialog.
  void SetNameLists(const NameList& shipNames, const NameList& cameraNames,
                    const NameList& otherNames);
  // Replaces the editor's events by copies of `list`, as they stand (no check, no sort).
  void SetEvents(const EventList& list);
  // Replaces `list` by the editor's events, in their current order.
  void GetEvents(EventList& list) const;

  // Which event set the catalogue holds: true the model-level set, false the
  // joint-level set of follower and camera joints.
  bool modelLevel = true;

  // The catalogue as built for this run (empty until the dialog has initialised).
  const EventCatalogue& Catalogue() const { return catalogue; }
  // The item index of the list view's latest item-changed notification; -1 before any.
  int32_t SelectedIndex() const { return selectedIndex; }

  // Catalogue operations over the editor's own catalogue.
  void BuildCatalogue();
  void AddEventType(std::string name, ValueKind valueKind, bool entryModelLevel, std::string hint);
  EventCatalogue CopyCatalogue() const;

  // Orders the events by frame (see plugin/events/event_order.h).
  void SortEvents();
  // Shows the events in the list view again, one item per event, in order.
  void RefillList();

  bool OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  std::span<const MessageEntry> GetMessageMap() const override;

 protected:
  void OnAdd();
  void OnEdit();
  void OnRemove();
  void OnItemchangedEventList(const Notification& notification);
  void OnDblclkEventList();

 private:
  // Whether selectedIndex names an element of events.
  bool HasSelection() const;
  // Runs an Event Attributes dialog; on OK composes its event into `destination`.
  // `source` (Edit only) is the event it starts from. Returns whether OK was pressed.
  bool RunEventAttrib(const std::string* source, std::string& destination);

  int32_t selectedIndex = -1;
  EventList events;
  EventCatalogue catalogue;
  NameList shipNames;
  NameList cameraNames;
  NameList otherNames;
};

}  // namespace quorvel::ui
