#pragma once

#include <cstdint>
#include <string>

#include "host/scene.h"
#include "tools/nis/nis_state.h"
#include "tools/timeline/sequence.h"

namespace quorvel::app {

// What `quorvel preview` shows: the model's scene and what its sequence does at each
// frame; for the window also the timeline's rows for its strip.
struct PreviewModel {
  std::string path;  // the model file: textures are looked for beside it
  const host::Scene* scene = nullptr;
  const nis::NisTimeline* timeline = nullptr;
  const timeline::Sequence* strip = nullptr;  // null: no strip
  std::string heading;                        // the strip's heading
};

// The pictures `quorvel preview -o` writes.
struct PreviewPictures {
  enum class Kind { kFrame, kFrames, kStoryboard };
  Kind kind = Kind::kFrame;
  std::string output;  // a PNG file, or for kFrames a folder
  std::int64_t first = 0;
  std::int64_t last = 0;
  int width = 640;  // of a frame, or of a storyboard's thumbnail
  int height = 360;
};

// The outputs of `quorvel preview`, drawn with OpenGL by the module of real windows
// (qt_windows_module.h). A build without Qt, or whose module cannot be loaded, or a
// place without OpenGL, refuses both with a CommandError (exit status 5).
void WritePreviewPictures(const PreviewModel& model, const PreviewPictures& pictures);
// Opens the window at frame `first`; returns the exit status.
int ShowPreviewWindow(const PreviewModel& model, std::int64_t first);

}  // namespace quorvel::app
