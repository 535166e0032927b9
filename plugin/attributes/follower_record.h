#pragma once

#include <string>
#include <string_view>

#include "plugin/attributes/event_block.h"

namespace quorvel {

// The attributes of one follower (actor) joint, kept in that joint's comment:
// "Sob Type", "Sob Name", then the event block.
struct FollowerRecord {
  std::string sobGroupType = "None";
  std::string sobGroupName;
  EventList events;

  // Replaces every field from the comment text; missing keys give empty text
  // (the initial "None" does not survive a load).
  void LoadAttributes(std::string_view text);
  // Replaces `out` with the record's written form.
  void SaveAttributes(std::string& out) const;

  bool operator==(const FollowerRecord&) const = default;
};

}  // namespace quorvel
