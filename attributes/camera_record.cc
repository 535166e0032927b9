#include "attributes/camera_record.h"

#include <utility>

#include "attributes/attribute_text.h"

namespace quorvel {

void CameraRecord::LoadAttributes(std::string_view text) {
  // Read everything before changing a field: `text` may be a view of one of them.
  std::string center = LookUpAttribute(text, "Center Of Interest");
  EventList loaded;
  LoadEventBlock(text, LookUpAttribute(text, "Num Events"), loaded);
  centerOfInterest = std::move(center);
  events = std::move(loaded);
}

void CameraRecord::SaveAttributes(std::string& out) const {
  out.clear();
  AppendAttribute(out, "Center Of Interest", centerOfInterest);
  SaveEventBlock(events, out);
}

}  // namespace quorvel
