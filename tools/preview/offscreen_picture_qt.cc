#include "tools/preview/offscreen_picture_qt.h"

#include <QOpenGLFramebufferObject>
#include <QPainter>
#include <stdexcept>

#include "tools/preview/nis_overlay_qt.h"
#include "tools/preview/scene_renderer_qt.h"

namespace quorvel::preview {

OffscreenPictures::OffscreenPictures(const host::Scene& scene, const std::string& modelFolder,
                                     QSize size)
    : size_(size) {
  if (!context_.create()) {
    throw std::runtime_error("no OpenGL context can be made here");
  }
  surface_.setFormat(context_.format());
  surface_.create();
  if (!surface_.isValid() || !context_.makeCurrent(&surface_)) {
    throw std::runtime_error("the OpenGL context cannot be made current on an offscreen surface");
  }
  QOpenGLFramebufferObjectFormat format;
  format.setAttachment(QOpenGLFramebufferObject::Depth);
  framebuffer_ = std::make_unique<QOpenGLFramebufferObject>(size, format);
  if (!framebuffer_->isValid()) {
    throw std::runtime_error("no OpenGL framebuffer of " + std::to_string(size.width()) + "x" +
                             std::to_string(size.height()) + " pixels can be made");
  }
  renderer_ = std::make_unique<SceneRenderer>(scene, modelFolder);
  renderer_->Initialize();
}

OffscreenPictures::~OffscreenPictures() {
  context_.makeCurrent(&surface_);
  renderer_.reset();
  framebuffer_.reset();
  context_.doneCurrent();
}

QImage OffscreenPictures::Render(const PreviewFrame& frame) {
  context_.makeCurrent(&surface_);
  framebuffer_->bind();
  renderer_->Draw(frame.pose, frame.state.hidden, frame.view, size_);
  QImage image = framebuffer_->toImage().convertToFormat(QImage::Format_RGB32);
  framebuffer_->release();
  QPainter painter(&image);
  PaintNisOverlay(painter, image.rect(), frame.state);
  return image;
}

}  // namespace quorvel::preview
