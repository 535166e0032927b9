// Draws a posed model with OpenGL, in whatever context is current (a window's or an
// offscreen one): shaded triangles in their materials' diffuse colours, lit by a
// light that stands at the viewer, textures where the file names one that exists
// beside the model, back faces drawn, the depth buffer on. Shaders of GLSL 1.20 /
// OpenGL ES 2, so that a software renderer runs them.
#pragma once

#include <QMatrix4x4>
#include <QOpenGLBuffer>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>
#include <QSize>
#include <memory>
#include <string>
#include <vector>

#include "host/scene.h"
#include "tools/preview/camera_guides.h"
#include "tools/preview/camera_view.h"
#include "tools/preview/pose.h"

namespace quorvel::preview {

// The file a material's texture name stands for: as named (a Windows path's
// backslashes read as slashes), relative to `modelFolder` unless absolute, or else
// the bare file name in `modelFolder`; empty when neither exists.
std::string TextureFile(const std::string& modelFolder, const std::string& name);

// The projection and view of `view` for a picture of `size`.
QMatrix4x4 ViewMatrix(const CameraView& view, QSize size);

class SceneRenderer : protected QOpenGLFunctions {
 public:
  // `scene` must outlive the renderer; textures are looked for in `modelFolder`.
  SceneRenderer(const host::Scene& scene, std::string modelFolder);
  // With the context it was initialised in current.
  ~SceneRenderer();
  SceneRenderer(const SceneRenderer&) = delete;
  SceneRenderer& operator=(const SceneRenderer&) = delete;

  // Once, in the current context, before drawing: compiles the shaders and loads
  // the textures. Throws std::runtime_error when the shaders do not build.
  void Initialize();

  // Clears and draws into the current framebuffer, `size` pixels: the triangles
  // whose joint `hiddenJoints` hides are left out (see triangle_joints.h). Leaves
  // depth test, program and buffers off, so that a QPainter may draw over it.
  void Draw(const Pose& pose, const std::vector<bool>& hiddenJoints, const CameraView& view,
            QSize size, const std::vector<GuideLine>& guides = {});

 private:
  struct Bucket {  // the triangles of one group, drawn with its material
    std::vector<std::size_t> triangles;
    int material = -1;
  };

  void LoadTextures();
  void DrawGuides(const std::vector<GuideLine>& guides);

  const host::Scene& scene_;
  std::string modelFolder_;
  std::vector<Bucket> buckets_;
  std::vector<int> triangleJoints_;
  std::vector<unsigned> textures_;  // per material; 0: none
  std::unique_ptr<QOpenGLShaderProgram> program_;
  QOpenGLBuffer buffer_;
  std::vector<float> data_;
  bool initialized_ = false;
};

}  // namespace quorvel::preview
