// CNISAttrib: the "NIS Attributes" page (template 11000), the first page of the sheet:
// the model's frame rate and its model-level timed events.
//
// The page is the ModelRecord it edits: the session loads it from the model comment
// (LoadAttributes), shows it, and after a confirmed sheet writes it back
// (SaveAttributes). Only the frame rate is on the page; the events are edited in the
// Event Editor behind button 11014.
//
// Taking the frame rate back refuses anything but an unsigned decimal number and
// anything outside 1..1000; the page then stays active. A stored value outside the
// range is shown as it is, so a page loaded from "OPT_FPS=0" must be corrected
// before the sheet can be confirmed.
#pragma once

#include <span>
#include <string_view>

#include "plugin/attributes/model_record.h"
#include "plugin/pages/attribute_page.h"

namespace quorvel::ui {

class CNISAttrib : public AttributePage, public ModelRecord {
 public:
  static constexpr uint32_t kMinFrameRate = 1;
  static constexpr uint32_t kMaxFrameRate = 1000;

  CNISAttrib();
  ~CNISAttrib() override;

  void DoDataExchange(CDataExchange* pDX) override;
  std::span<const MessageEntry> GetMessageMap() const override;

  // Button 11014: the Event Editor on the model-level event set.
  void OnEventEditor();

 protected:
  void LoadRecord(std::string_view comment) override { LoadAttributes(comment); }
};

}  // namespace quorvel::ui
