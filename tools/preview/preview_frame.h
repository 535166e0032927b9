// One frame of the preview, made without any window: the model posed, what the
// sequence shows, and where the viewer stands. The sequence counts frames at its
// own rate (the model record's), the animation at the file's: a sequence frame is
// shown at the animation's moment of the same time.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/scene.h"
#include "tools/nis/nis_state.h"
#include "tools/preview/camera_view.h"
#include "tools/preview/pose.h"

namespace quorvel::preview {

struct PreviewFrame {
  Pose pose;
  nis::NisState state;
  CameraView view;
  std::string cameraName;  // the live camera's joint name, or "free view"
};

// Where a frame lies: "frame 48  2.00 s" at 24 frames a second.
std::string FrameAndTime(std::int64_t frame, std::uint32_t frameRate);
// The frame's caption: "frame 48  2.00 s  cam_main".
std::string FrameCaption(std::int64_t frame, std::uint32_t frameRate, const std::string& camera);

class FrameMaker {
 public:
  // Both must outlive the maker.
  FrameMaker(const host::Scene& scene, const nis::NisTimeline& timeline);

  void Make(std::int64_t frame, PreviewFrame& out) const;
  // Only the pose at sequence frame `frame`.
  void PoseAt(std::int64_t frame, Pose& pose) const;
  // The animation's frame (the file's frames) shown at sequence frame `frame`.
  double AnimationFrameOf(std::int64_t frame) const;
  std::uint32_t FrameRate() const;
  std::int64_t LastFrame() const;
  const host::Scene& Scene() const { return scene_; }
  const nis::NisTimeline& Timeline() const { return timeline_; }

 private:
  const host::Scene& scene_;
  const nis::NisTimeline& timeline_;
  Animator animator_;
};

}  // namespace quorvel::preview
