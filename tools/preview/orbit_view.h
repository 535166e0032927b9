// The free orbit view of the preview's window: the viewer turns about a point at a
// distance, drags turn it, the wheel brings it nearer or farther.
#pragma once

#include "tools/preview/camera_view.h"

namespace quorvel::preview {

class OrbitView {
 public:
  // Starts where `start` stands and looks.
  explicit OrbitView(const CameraView& start);

  // A drag of (dx, dy) pixels: 1/100 radian a pixel; the view never turns over
  // the pole.
  void Turn(double dx, double dy);
  // Wheel steps: each step forwards brings the viewer 15% nearer.
  void Zoom(double steps);
  CameraView View() const;

 private:
  CameraView base_;
  double yaw_ = 0;
  double pitch_ = 0;
  double distance_ = 1;
};

}  // namespace quorvel::preview
