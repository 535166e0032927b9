#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "plugin/attributes/event_block.h"

namespace quorvel {

// The attributes of the sequence as a whole, kept in the model's comment:
// "OPT_FPS", then the event block.
struct ModelRecord {
  uint32_t frameRate = 24;
  EventList events;

  // Replaces every field from the comment text. A missing "OPT_FPS" gives 24; a
  // present one is read as a number even when it is not one ("abc" gives 0).
  void LoadAttributes(std::string_view text);
  // Replaces `out` with the record's written form.
  void SaveAttributes(std::string& out) const;

  bool operator==(const ModelRecord&) const = default;
};

}  // namespace quorvel
