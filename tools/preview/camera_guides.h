// What the free orbit view shows of the cameras: each camera joint as a small
// frustum where it stands and looks at the frame, and its path over the sequence
// as a line.
#pragma once

#include <vector>

#include "tools/preview/preview_frame.h"

namespace quorvel::preview {

struct GuideLine {
  Vec3 from;
  Vec3 to;
  bool live = false;  // part of the live camera's frustum
};

// The camera joints of the sequence (its joints of the camera role), with the
// index of each one's centre of interest joint, or -1.
struct CameraJoint {
  int joint = -1;
  int centreOfInterest = -1;
};
std::vector<CameraJoint> CameraJoints(const host::Scene& scene, const nis::NisTimeline& timeline);

// The cameras' frustums at `pose`, each `size` long (a pyramid from the eye, 4 edges
// and the far rectangle); the live camera's marked.
std::vector<GuideLine> CameraFrustums(const host::Scene& scene, const Pose& pose,
                                      const std::vector<CameraJoint>& cameras, int liveCamera,
                                      float size);

// The cameras' paths: where each stands at every `step`th frame of the sequence,
// joined by lines.
std::vector<GuideLine> CameraPaths(const FrameMaker& maker, const std::vector<CameraJoint>& cameras,
                                   std::int64_t step);

}  // namespace quorvel::preview
