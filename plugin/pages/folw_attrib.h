// CFOLWAttrib: the page of one follower (actor) joint (template 11001), captioned
// "Actor: " and the joint's name.
//
// The page is the FollowerRecord it edits. The Sob group type combo (11002) holds the
// template's fixed list and an editable field: showing a type selects the first entry
// that begins with it, letters compared without regard to case, and otherwise puts
// the type itself into the field; taking back reads whatever the field shows. So a
// stored "Ship" or "s" comes back as the entry "ship" once the page has been shown,
// while "Destroyer" stays "Destroyer". An empty type selects nothing and stays empty,
// so that showing a joint with no attributes yet does not give it a type.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "plugin/attributes/follower_record.h"
#include "plugin/pages/attribute_page.h"

namespace quorvel::ui {

class CFOLWAttrib : public AttributePage, public FollowerRecord {
 public:
  using Record = FollowerRecord;

  CFOLWAttrib();
  ~CFOLWAttrib() override;

  // The joint's name: shown read-only on the page and in the tab ("Actor: NAME").
  // Not part of the record.
  void SetCaption(std::string_view name);

  void DoDataExchange(CDataExchange* pDX) override;
  std::span<const MessageEntry> GetMessageMap() const override;

  // Button 11014: the Event Editor on the joint-level event set.
  void OnEventEditor();

  std::string followerName = "UNKNOWN";

 protected:
  void LoadRecord(std::string_view comment) override { LoadAttributes(comment); }
};

}  // namespace quorvel::ui
