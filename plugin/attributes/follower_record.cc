#include "plugin/attributes/follower_record.h"

#include <utility>

#include "plugin/attributes/attribute_text.h"

namespace quorvel {

void FollowerRecord::LoadAttributes(std::string_view text) {
  if (!BeginsInside(text, sobGroupType) && !BeginsInside(text, sobGroupName)) {
    // Into the fields, reusing their room (the event block sees to its own).
    LookUpAttribute(text, "Sob Type", sobGroupType);
    LookUpAttribute(text, "Sob Name", sobGroupName);
    LoadEventBlock(text, LookUpAttribute(text, "Num Events"), events);
    return;
  }
  // Read everything before changing a field: `text` views one of them.
  std::string type = LookUpAttribute(text, "Sob Type");
  std::string name = LookUpAttribute(text, "Sob Name");
  EventList loaded;
  LoadEventBlock(text, LookUpAttribute(text, "Num Events"), loaded);
  sobGroupType = std::move(type);
  sobGroupName = std::move(name);
  events = std::move(loaded);
}

void FollowerRecord::SaveAttributes(std::string& out) const {
  out.clear();
  AppendAttribute(out, "Sob Type", sobGroupType);
  AppendAttribute(out, "Sob Name", sobGroupName);
  SaveEventBlock(events, out);
}

}  // namespace quorvel
