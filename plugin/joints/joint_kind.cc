#include "plugin/joints/joint_kind.h"

#include "plugin/attributes/attribute_text.h"
#include "plugin/attributes/record_keys.h"

namespace quorvel {

namespace {

// The kind the name alone decides: skipped or camera; other for a follower.
JointKind KindOfName(std::string_view name) {
  if (name.starts_with("IG_") || name.find("Root") != std::string_view::npos) {
    return JointKind::kSkipped;
  }
  if (name.starts_with("CAM_")) {
    return JointKind::kCamera;
  }
  return JointKind::kOther;
}

}  // namespace

JointKind ClassifyJoint(std::string_view name, std::string_view comment) {
  const JointKind kind = KindOfName(name);
  if (kind != JointKind::kOther) {
    return kind;
  }
  return LookUpAttribute(comment, kSobTypeKey) == "ship" ? JointKind::kShip : JointKind::kOther;
}

JointKind ClassifyJointOfSobType(std::string_view name, std::string_view sobType) {
  const JointKind kind = KindOfName(name);
  if (kind != JointKind::kOther) {
    return kind;
  }
  return sobType == "ship" ? JointKind::kShip : JointKind::kOther;
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
