#include "tools/preview/preview_frame.h"

#include <algorithm>
#include <cstdio>

namespace quorvel::preview {

std::string FrameAndTime(std::int64_t frame, std::uint32_t frameRate) {
  char time[48];
  std::snprintf(time, sizeof time, "%.2f s",
                static_cast<double>(frame) / static_cast<double>(std::max(frameRate, 1u)));
  return "frame " + std::to_string(frame) + "  " + time;
}

std::string FrameCaption(std::int64_t frame, std::uint32_t frameRate, const std::string& camera) {
  return FrameAndTime(frame, frameRate) + "  " + camera;
}

FrameMaker::FrameMaker(const host::Scene& scene, const nis::NisTimeline& timeline)
    : scene_(scene), timeline_(timeline), animator_(scene) {}

std::uint32_t FrameMaker::FrameRate() const {
  const std::uint32_t rate = timeline_.Input().frameRate;
  return rate == 0 ? 24 : rate;
}

std::int64_t FrameMaker::LastFrame() const {
  return std::max<std::int64_t>(timeline_.Input().lastFrame, 0);
}

double FrameMaker::AnimationFrameOf(std::int64_t frame) const {
  const double fileRate = std::max(1.0f, scene_.framesPerSecond);
  return static_cast<double>(frame) / FrameRate() * fileRate;
}

void FrameMaker::PoseAt(std::int64_t frame, Pose& pose) const {
  animator_.Evaluate(AnimationFrameOf(frame), pose);
}

void FrameMaker::Make(std::int64_t frame, PreviewFrame& out) const {
  animator_.Evaluate(AnimationFrameOf(frame), out.pose);
  out.state = timeline_.At(frame);
  const int camera = out.state.liveCamera;
  if (camera >= 0 && static_cast<std::size_t>(camera) < scene_.joints.size()) {
    out.view = LiveCameraView(scene_, out.pose, camera, out.state.centreOfInterest);
    out.cameraName = scene_.joints[static_cast<std::size_t>(camera)].name;
  } else {
    out.view = FreeView(scene_, out.pose);
    out.cameraName = "free view";
  }
}

}  // namespace quorvel::preview
