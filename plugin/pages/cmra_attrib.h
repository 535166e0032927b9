// CCMRAAttrib: the page of one camera joint (template 11003), captioned "Camera: "
// and the joint's name.
//
// The page is the CameraRecord it edits. Its center-of-interest combo (11006) offers
// an empty entry and then every eligible joint of the model; it is filled once, when
// the page window is created, and shows the first entry that begins with the stored
// name (letters compared without regard to case, searched from the first joint and
// the empty entry last). That selection is only shown: the stored name changes only
// when the user picks an entry, so a name that matches no joint, or matches one only
// by prefix or case, is saved as it was loaded unless the user picks another.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "framework/core/combo_box.h"
#include "plugin/attributes/camera_record.h"
#include "plugin/attributes/name_list.h"
#include "plugin/pages/attribute_page.h"

namespace quorvel::ui {

class CCMRAAttrib : public AttributePage, public CameraRecord {
 public:
  using Record = CameraRecord;

  CCMRAAttrib();
  ~CCMRAAttrib() override;

  // The joint's name: shown read-only on the page and in the tab ("Camera: NAME").
  // Not part of the record.
  void SetCaption(std::string_view name);
  // The joints the camera may look at, in model order; read when the page window is
  // created.
  void SetObjectNames(const NameList& objectNames);
  const NameList& ObjectNames() const { return objectNames_; }

  bool OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  std::span<const MessageEntry> GetMessageMap() const override;

  // Combo 11006, picked by the user: the picked entry's text becomes the center of
  // interest (the empty entry empties it).
  void OnSelchangeCenterOfInterest();
  // Button 11014: the Event Editor on the joint-level event set.
  void OnEventEditor();

  std::string cameraName;

 protected:
  void LoadRecord(std::string_view comment) override { LoadAttributes(comment); }

 private:
  CComboBox centerOfInterestControl_;
  NameList objectNames_;
};

}  // namespace quorvel::ui
