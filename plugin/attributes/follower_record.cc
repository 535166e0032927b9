#include "plugin/attributes/follower_record.h"

#include <utility>

#include "plugin/attributes/attribute_text.h"
#include "plugin/attributes/record_keys.h"

namespace quorvel {

void FollowerRecord::LoadAttributes(std::string_view text) {
  if (!BeginsInside(text, sobGroupType) && !BeginsInside(text, sobGroupName)) {
    // Into the fields, reusing their room (the event block sees to its own).
    LookUpAttribute(text, kSobTypeKey, sobGroupType);
    LookUpAttribute(text, kSobNameKey, sobGroupName);
    LoadEventBlock(text, LookUpAttribute(text, kEventCountKey), events);
    return;
  }
  // Read everything before changing a field: `text` views one of them.
  std::string type = LookUpAttribute(text, kSobTypeKey);
  std::string name = LookUpAttribute(text, kSobNameKey);
  EventList loaded;
  LoadEventBlock(text, LookUpAttribute(text, kEventCountKey), loaded);
  sobGroupType = std::move(type);
  sobGroupName = std::move(name);
  events = std::move(loaded);
}

void FollowerRecord::SaveAttributes(std::string& out) const {
  out.clear();
  AppendAttribute(out, kSobTypeKey, sobGroupType);
  AppendAttribute(out, kSobNameKey, sobGroupName);
  SaveEventBlock(events, out);
}

}  // namespace quorvel
