#include "plugin/joints/joint_mark.h"

namespace quorvel {
namespace {

constexpr unsigned int kMarkedFlag = 1;

}  // namespace

bool IsJointMarked(JointHandle joint) {
  return (msBone_GetFlags(joint) & kMarkedFlag) != 0;
}

}  // namespace quorvel
