#include "attributes/follower_record.h"

#include <utility>

#include "attributes/attribute_text.h"

namespace quorvel {

void FollowerRecord::LoadAttributes(std::string_view text) {
  // Read everything before changing a field: `text` may be a view of one of them.
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
