// CEventAttrib: the "Event Attributes..." dialog for one timed event (template 11006).
//
// The Event Editor runs one for each Add and Edit:
//
//   CEventAttrib dialog;
//   dialog.SetCatalogue(CopyCatalogue());
//   dialog.SetNameLists(shipNames, cameraNames, otherNames);
//   dialog.modelLevel = modelLevel;
//   dialog.SplitEventText(events[i]);          // Edit only
//   if (dialog.DoModal() == IDOK) dialog.ComposeEventText(events[i]);
//
// The Value button enters the value the way the chosen event type asks for: raw text,
// none, a number, quoted text, a file below the game's folder, or a joint name.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "framework/core/dialog.h"
#include "plugin/attributes/name_list.h"
#include "plugin/events/event_catalogue.h"

namespace quorvel::ui {

class CEventAttrib : public CDialog {
 public:
  explicit CEventAttrib(CWnd* parent = nullptr);
  ~CEventAttrib() override;

  // The event's value as it will stand in the event text; also the Value button's caption.
  std::string value;
  uint32_t frame = 1;
  // Position of the chosen entry in the catalogue; -1: none (the first one is shown).
  int32_t eventIndex = -1;
  // Which event set the combo lists: entries whose modelLevel equals this one.
  bool modelLevel = true;

  // The catalogue becomes a copy of `entries` (earlier content is dropped).
  void SetCatalogue(const EventCatalogue& entries);
  // Appends copies of the names of each list to the dialog's list of the same name.
  void SetNameLists(const NameList& ships, const NameList& cameras, const NameList& others);
  const EventCatalogue& Catalogue() const { return catalogue; }

  // Fields from an event text, and an event text from the fields (plugin/events/event_text.h).
  void SplitEventText(std::string_view source);
  void ComposeEventText(std::string& destination) const;

  bool OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  std::span<const MessageEntry> GetMessageMap() const override;

 protected:
  void OnValue();
  void OnSelchangeEvent();

 private:
  void EnterRawParameters();
  void EnterNumber();
  void EnterQuotedText();
  void EnterFilePath(const std::string& hint);
  void EnterObjectName(const std::string& hint);
  // Tells the user that a chosen path or name cannot be stored; the value stays.
  void RefuseChoice(std::string_view what, std::string_view chosen);

  EventCatalogue catalogue;
  NameList shipNames;
  NameList cameraNames;
  NameList otherNames;
};

inline constexpr std::string_view kRawParametersPrompt = "Please enter all appropriate parameters:";
inline constexpr std::string_view kQuotedTextPrompt = "Please enter desired string (no quotes):";

}  // namespace quorvel::ui
