// The preview's pictures without a window: frames drawn in an offscreen OpenGL
// context into a framebuffer, with what the sequence lays over them, and the
// storyboard, a picture with a thumbnail per shot. Needs a QGuiApplication whose
// platform offers OpenGL (an X display, Xvfb being enough).
#pragma once

#include <QImage>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QRect>
#include <QSize>
#include <memory>
#include <string>
#include <vector>

#include "tools/preview/preview_frame.h"

class QOpenGLFramebufferObject;

namespace quorvel::preview {

class SceneRenderer;

class OffscreenPictures {
 public:
  // Throws std::runtime_error saying why when no OpenGL context can be made.
  OffscreenPictures(const host::Scene& scene, const std::string& modelFolder, QSize size);
  ~OffscreenPictures();
  OffscreenPictures(const OffscreenPictures&) = delete;
  OffscreenPictures& operator=(const OffscreenPictures&) = delete;

  // The frame as the game would show it: the model, the fade, the bars and the texts.
  QImage Render(const PreviewFrame& frame);
  QSize Size() const { return size_; }

 private:
  QSize size_;
  QOpenGLContext context_;
  QOffscreenSurface surface_;
  std::unique_ptr<QOpenGLFramebufferObject> framebuffer_;
  std::unique_ptr<SceneRenderer> renderer_;
};

}  // namespace quorvel::preview
