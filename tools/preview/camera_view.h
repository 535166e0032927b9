// Where the viewer stands and looks at one frame: through the live camera joint, or,
// for a model without cameras, a free view that frames the whole model.
#pragma once

#include "host/scene.h"
#include "tools/preview/pose.h"

namespace quorvel::preview {

struct CameraView {
  Vec3 eye;
  Vec3 target;
  Vec3 up = {0, 1, 0};  // the file's up axis
  float verticalFieldOfViewDegrees = 45;
  float nearPlane = 0.1f;
  float farPlane = 1000;
};

// The view through camera joint `camera` at `pose`: from its animated position,
// towards joint `centreOfInterest`'s animated position when that is a joint (not -1
// and not the camera itself) standing apart from the camera, else along the camera
// joint's own orientation: down the joint's -z axis, as a modeller's front view
// looks (a camera joint that is not turned sees what the front view sees). Up is
// the file's up axis, +y, unless the camera looks straight up or down; then it is
// the joint's own +y turned with it. The near and far planes enclose the posed
// model (its vertices, or its joints when it has none) in front of the camera.
CameraView LiveCameraView(const host::Scene& scene, const Pose& pose, int camera,
                          int centreOfInterest);

// A view that frames every posed vertex (and every joint when there are no
// vertices), from the front and a little above: from +z towards -z, raised by 20
// degrees, far enough that the sphere around the model's box fits the field of view.
CameraView FreeView(const host::Scene& scene, const Pose& pose);

}  // namespace quorvel::preview
