#include "plugin/session/joint_walk.h"

#include <string>

#include "plugin/joints/host_text.h"
#include "plugin/joints/joint_kind.h"
#include "plugin/joints/joint_mark.h"

namespace quorvel {
JointWalk WalkJoints(ModelHandle model) {
  JointWalk walk;
  HostTextReader text;
  for (int i = 0; i < msModel_GetBoneCount(model); ++i) {
    JointHandle joint = msModel_GetBoneAt(model, i);
    std::string name = text.JointName(joint);
    const std::string comment = text.JointComment(joint);

    JointKind kind = ClassifyJoint(name, comment);
    if (kind == JointKind::kSkipped) {
      continue;
    }
    walk.objectNames.push_back(name);
    if (kind == JointKind::kCamera) {
      walk.cameraNames.push_back(name);
    } else {
      (kind == JointKind::kShip ? walk.shipNames : walk.otherNames).push_back(name);
    }
    if (IsJointMarked(joint)) {
      (kind == JointKind::kCamera ? walk.cameraJoints : walk.followerJoints).push_back(joint);
    }
  }
  return walk;
}

}  // namespace quorvel
