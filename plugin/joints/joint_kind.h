#pragma once

#include <string_view>

namespace quorvel {

// What the editing session makes of a joint, from its name and comment alone.
enum class JointKind {
  kSkipped,  // name begins with "IG_" or contains "Root": in no list, never a page
  kCamera,   // name begins with "CAM_"
  kShip,     // a follower whose "Sob Type" is exactly "ship"
  kOther,    // any other follower
};

// All tests are plain and case-sensitive on the name as the host gave it; the
// comment is consulted only for followers.
JointKind ClassifyJoint(std::string_view name, std::string_view comment);
// The same, for a caller that has looked "Sob Type" up already: `sobType` is its
// value with the CRs removed (see LookUpAttribute).
JointKind ClassifyJointOfSobType(std::string_view name, std::string_view sobType);

// "skipped", "camera", "ship" or "other".
std::string_view JointKindName(JointKind kind);

}  // namespace quorvel
