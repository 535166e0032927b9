#pragma once

#include "plugin/joints/host_handles.h"

namespace quorvel {

// Whether the user marked (selected) the joint in the host: bit 1 of the joint's
// flag word. A marked follower or camera gets a page of its own; the other bits
// belong to the host and are never looked at.
bool IsJointMarked(JointHandle joint);

}  // namespace quorvel
