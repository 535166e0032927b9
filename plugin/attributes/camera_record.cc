#include "plugin/attributes/camera_record.h"

#include <utility>

#include "plugin/attributes/attribute_text.h"
#include "plugin/attributes/record_keys.h"

namespace quorvel {

void CameraRecord::LoadAttributes(std::string_view text) {
  if (!BeginsInside(text, centerOfInterest)) {
    // Into the fields, reusing their room (the event block sees to its own).
    LookUpAttribute(text, kCenterOfInterestKey, centerOfInterest);
    LoadEventBlock(text, LookUpAttribute(text, kEventCountKey), events);
    return;
  }
  // Read everything before changing a field: `text` views one of them.
  std::string center = LookUpAttribute(text, kCenterOfInterestKey);
  EventList loaded;
  LoadEventBlock(text, LookUpAttribute(text, kEventCountKey), loaded);
  centerOfInterest = std::move(center);
  events = std::move(loaded);
}

void CameraRecord::SaveAttributes(std::string& out) const {
  out.clear();
  AppendAttribute(out, kCenterOfInterestKey, centerOfInterest);
  SaveEventBlock(events, out);
}

}  // namespace quorvel
