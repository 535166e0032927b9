#include "plugin/joint_walk.h"

#include <cstring>
#include <string>

#include "plugin/joint_kind.h"

namespace quorvel {
namespace {

constexpr unsigned int kMarkedFlag = 1;

// The text the host wrote, up to its NUL; a host that wrote no NUL is cut at the
// end of the buffer rather than read past it.
std::string TextIn(const char* buffer, std::size_t size) {
  return std::string(buffer, strnlen(buffer, size));
}

}  // namespace

JointWalk WalkJoints(ModelHandle model) {
  JointWalk walk;
  char nameBuffer[kNameBufferSize];
  char commentBuffer[kCommentBufferSize];
  for (int i = 0; i < msModel_GetBoneCount(model); ++i) {
    nameBuffer[0] = '\0';
    commentBuffer[0] = '\0';
    JointHandle joint = msModel_GetBoneAt(model, i);
    msBone_GetName(joint, nameBuffer, kNameBufferSize);
    msBone_GetComment(joint, commentBuffer, kCommentBufferSize);
    std::string name = TextIn(nameBuffer, sizeof nameBuffer);

    JointKind kind = ClassifyJoint(name, TextIn(commentBuffer, sizeof commentBuffer));
    if (kind == JointKind::kSkipped) {
      continue;
    }
    walk.objectNames.push_back(name);
    if (kind == JointKind::kCamera) {
      walk.cameraNames.push_back(name);
    } else {
      (kind == JointKind::kShip ? walk.shipNames : walk.otherNames).push_back(name);
    }
    if ((msBone_GetFlags(joint) & kMarkedFlag) != 0) {
      (kind == JointKind::kCamera ? walk.cameraJoints : walk.followerJoints).push_back(joint);
    }
  }
  return walk;
}

}  // namespace quorvel
