#pragma once

#include <vector>

#include "plugin/attributes/name_list.h"
#include "plugin/joints/host_handles.h"
#include "plugin/joints/host_text.h"

namespace quorvel {

// What one walk over the model's joints finds: the names of the eligible joints by
// kind, and the marked joints that get a page of their own.
struct JointWalk {
  NameList objectNames;  // every eligible joint
  NameList cameraNames;
  NameList shipNames;
  NameList otherNames;
  std::vector<JointHandle> followerJoints;  // eligible, marked, not cameras
  std::vector<JointHandle> cameraJoints;    // eligible, marked cameras
};

// Sizes of the buffers through which the host hands out names and comments: a
// longer name is seen cut to the buffer; comments are read whole (host_text.h),
// starting with this size.
inline constexpr int kNameBufferSize = HostTextReader::kNameBufferSize;
inline constexpr int kCommentBufferSize = HostTextReader::kCommentBufferSize;

// Walks the joints of `model` once, in model order, only through the host's
// functions: the joint count is asked again before each further joint; name and
// comment are read for every joint into cleared buffers, the comment whole; the
// flag word is asked only for eligible joints.
JointWalk WalkJoints(ModelHandle model);

}  // namespace quorvel
