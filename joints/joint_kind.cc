#include "joints/joint_kind.h"

#include "attributes/attribute_text.h"

namespace quorvel {

JointKind ClassifyJoint(std::string_view name, std::string_view comment) {
  if (name.starts_with("IG_") || name.find("Root") != std::string_view::npos) {
    return JointKind::kSkipped;
  }
  if (name.starts_with("CAM_")) {
    return JointKind::kCamera;
  }
  return LookUpAttribute(comment, "Sob Type") == "ship" ? JointKind::kShip : JointKind::kOther;
}

std::string_view JointKindName(JointKind kind) {
  switch (kind) {
    case JointKind::kSkipped:
      return "skipped";
    case JointKind::kCamera:
      return "camera";
    case JointKind::kShip:
      return "ship";
    case JointKind::kOther:
      return "other";
  }
  return "other";
}

}  // namespace quorvel
