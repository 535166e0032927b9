#pragma once

#include <string>
#include <string_view>

#include "plugin/attributes/event_block.h"

namespace quorvel {

// The attributes of one camera joint, kept in that joint's comment:
// "Center Of Interest", then the event block.
struct CameraRecord {
  std::string centerOfInterest;
  EventList events;

  // Replaces every field from the comment text; a missing key gives empty text.
  void LoadAttributes(std::string_view text);
  // Replaces `out` with the record's written form.
  void SaveAttributes(std::string& out) const;

  bool operator==(const CameraRecord&) const = default;
};

}  // namespace quorvel
