#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "bench/big_model_joint.h"

namespace quorvel::bench {

// Variants of the big model's joints for timing `quorvel check` (make_big_ms3d's
// options): every attribute valid, or every record naming a joint that does not
// exist.
enum class BigModelVariant {
  kAsMade,          // the big model as it always was (BigModelJointName, BigModelComment)
  kKnownEvents,     // every record valid: known events, values and joints
  kUnknownCentres,  // every joint a camera whose "Center Of Interest" names no joint
  kUnknownTargets,  // every joint a ship that attacks a joint that does not exist
};

// The option of make_big_ms3d that picks a variant: "--known-events",
// "--unknown-centres", "--unknown-targets".
inline bool ParseBigModelVariant(std::string_view option, BigModelVariant& variant) {
  if (option == "--known-events") {
    variant = BigModelVariant::kKnownEvents;
  } else if (option == "--unknown-centres") {
    variant = BigModelVariant::kUnknownCentres;
  } else if (option == "--unknown-targets") {
    variant = BigModelVariant::kUnknownTargets;
  } else {
    return false;
  }
  return true;
}

inline std::string VariantJointName(BigModelVariant variant, std::size_t index) {
  switch (variant) {
    case BigModelVariant::kUnknownCentres:
      return "CAM_" + std::to_string(index);
    case BigModelVariant::kUnknownTargets:
      return "Ship" + std::to_string(index);
    default:
      return BigModelJointName(index);
  }
}

// Valid events of a joint, frames in order within a 600-frame animation: each kind
// of value the rules look at (none, a number, a text, a ship to attack).
inline std::string KnownEventText(std::size_t event) {
  static constexpr std::string_view kKinds[] = {
      "hide|", "show|", "health|50", "death|\"big\"", "setEnginePower|.50", "attack|\"Joint3\""};
  return std::to_string(event * 10) + "|" + std::string(kKinds[event % std::size(kKinds)]);
}

// A record whose events are as many as fit in `size` bytes, each whole, counted
// exactly: a camera's looks at joint 1, a follower's type is one the Followers page
// lists.
inline std::string KnownEventsComment(std::size_t index, std::size_t size) {
  const bool camera = BigModelJointName(index).starts_with("CAM_");
  const std::string head = camera ? "Center Of Interest=Joint1\r\n"
                                  : "Sob Type=" + std::string(index % 3 == 0 ? "ship" : "salvage") +
                                        "\r\nSob Name=Wing\xe9" + std::to_string(index) + "\r\n";
  std::string events;
  std::size_t count = 0;
  for (;; ++count) {
    const std::string line = "Event" + std::to_string(count) + "=" + KnownEventText(count) + "\r\n";
    if (head.size() + 20 + events.size() + line.size() > size) {
      break;
    }
    events += line;
  }
  return head + "Num Events=" + std::to_string(count) + "\r\n" + events;
}

// The comment of joint `index` of a variant. Half the unknown names are one edit
// from a joint's name (so that a suggestion is looked for and found), half near none.
inline std::string VariantComment(BigModelVariant variant, std::size_t index, std::size_t size) {
  const std::string number = std::to_string(index);
  switch (variant) {
    case BigModelVariant::kKnownEvents:
      return KnownEventsComment(index, size);
    case BigModelVariant::kUnknownCentres:
      return "Center Of Interest=" + (index % 2 == 0 ? "Fighter" + number : "CAM" + number) +
             "\r\nNum Events=0\r\n";
    case BigModelVariant::kUnknownTargets:
      return "Sob Type=ship\r\nSob Name=Wing\r\nNum Events=1\r\nEvent0=10|attack|\"" +
             (index % 2 == 0 ? "Enemy" + number : "Shp" + number) + "\"\r\n";
    case BigModelVariant::kAsMade:
      break;
  }
  return BigModelComment(index, size);
}

}  // namespace quorvel::bench
