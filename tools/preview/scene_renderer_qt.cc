#include "tools/preview/scene_renderer_qt.h"

#include <QImage>
#include <QImageReader>
#include <QVector3D>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <stdexcept>

#include "tools/preview/triangle_joints.h"

namespace quorvel::preview {
namespace {

// Per corner: position, normal, texture coordinates.
constexpr int kFloatsPerCorner = 8;

// The background: dark, but not black, so that bars and fades show.
constexpr float kBackground[3] = {0.16f, 0.18f, 0.21f};

constexpr char kVertexShader[] = R"(
attribute vec3 a_position;
attribute vec3 a_normal;
attribute vec2 a_texCoord;
uniform mat4 u_matrix;
varying vec3 v_normal;
varying vec2 v_texCoord;
void main() {
  v_normal = a_normal;
  v_texCoord = a_texCoord;
  gl_Position = u_matrix * vec4(a_position, 1.0);
}
)";

// Two-sided: a back face is lit as its front would be.
constexpr char kFragmentShader[] = R"(
#ifdef GL_ES
precision mediump float;
#endif
uniform vec4 u_colour;
uniform vec3 u_light;
uniform float u_lit;
uniform float u_textured;
uniform sampler2D u_texture;
varying vec3 v_normal;
varying vec2 v_texCoord;
void main() {
  vec4 base = u_colour;
  if (u_textured > 0.5) {
    base = vec4(texture2D(u_texture, v_texCoord).rgb, u_colour.a);
  }
  float shade = 1.0;
  if (u_lit > 0.5) {
    float len = length(v_normal);
    float facing = len > 0.0 ? abs(dot(v_normal / len, u_light)) : 1.0;
    shade = 0.3 + 0.7 * facing;
  }
  gl_FragColor = vec4(base.rgb * shade, base.a);
}
)";

QVector3D ToQt(Vec3 v) {
  return QVector3D(v.x, v.y, v.z);
}

}  // namespace

std::string TextureFile(const std::string& modelFolder, const std::string& name) {
  if (name.empty()) {
    return {};
  }
  std::string slashed = name;
  std::replace(slashed.begin(), slashed.end(), '\\', '/');
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path named(slashed);
  const fs::path folder(modelFolder.empty() ? "." : modelFolder);
  const fs::path candidates[] = {named.is_absolute() ? named : folder / named,
                                 folder / named.filename()};
  for (const fs::path& candidate : candidates) {
    if (!candidate.filename().empty() && fs::is_regular_file(candidate, error)) {
      return candidate.string();
    }
  }
  return {};
}

QMatrix4x4 ViewMatrix(const CameraView& view, QSize size) {
  const float aspect = static_cast<float>(std::max(size.width(), 1)) /
                       static_cast<float>(std::max(size.height(), 1));
  const float nearPlane = std::max(view.nearPlane, 1e-4f);
  const float farPlane = std::max(view.farPlane, nearPlane * 2);
  QMatrix4x4 matrix;
  matrix.perspective(std::clamp(view.verticalFieldOfViewDegrees, 1.0f, 170.0f), aspect, nearPlane,
                     farPlane);
  QVector3D eye = ToQt(view.eye);
  QVector3D target = ToQt(view.target);
  if ((target - eye).lengthSquared() < 1e-12f) {
    target = eye + QVector3D(0, 0, -1);
  }
  QVector3D up = ToQt(view.up);
  if (QVector3D::crossProduct(target - eye, up).lengthSquared() < 1e-12f) {
    up = std::abs(up.z()) < 0.9f ? QVector3D(0, 0, 1) : QVector3D(1, 0, 0);
  }
  matrix.lookAt(eye, target, up);
  return matrix;
}

SceneRenderer::SceneRenderer(const host::Scene& scene, std::string modelFolder)
    : scene_(scene), modelFolder_(std::move(modelFolder)), buffer_(QOpenGLBuffer::VertexBuffer) {
  // A group per bucket, in the file's order; triangles of no group last, in grey.
  buckets_.resize(scene.groups.size() + 1);
  for (std::size_t g = 0; g < scene.groups.size(); ++g) {
    buckets_[g].material = scene.groups[g].material;
  }
  for (std::size_t t = 0; t < scene.triangles.size(); ++t) {
    const std::size_t group = std::min<std::size_t>(scene.triangles[t].group, scene.groups.size());
    buckets_[group].triangles.push_back(t);
  }
  triangleJoints_ = TriangleJoints(scene);
}

SceneRenderer::~SceneRenderer() {
  if (!initialized_) {
    return;
  }
  for (unsigned texture : textures_) {
    if (texture != 0) {
      glDeleteTextures(1, &texture);
    }
  }
  buffer_.destroy();
}

void SceneRenderer::Initialize() {
  initializeOpenGLFunctions();
  program_ = std::make_unique<QOpenGLShaderProgram>();
  if (!program_->addShaderFromSourceCode(QOpenGLShader::Vertex, kVertexShader) ||
      !program_->addShaderFromSourceCode(QOpenGLShader::Fragment, kFragmentShader) ||
      !program_->link()) {
    throw std::runtime_error("the preview's shaders do not build: " +
                             program_->log().toStdString());
  }
  buffer_.create();
  buffer_.setUsagePattern(QOpenGLBuffer::StreamDraw);
  LoadTextures();
  initialized_ = true;
}

void SceneRenderer::LoadTextures() {
  textures_.assign(scene_.materials.size(), 0);
  for (std::size_t m = 0; m < scene_.materials.size(); ++m) {
    const std::string file = TextureFile(modelFolder_, scene_.materials[m].texture);
    if (file.empty()) {
      continue;
    }
    QImageReader reader(QString::fromStdString(file));
    // A texture larger than this would be a hostile file, not a model's picture.
    reader.setAllocationLimit(256);
    QImage image = reader.read();
    if (image.isNull()) {
      continue;  // drawn in its flat colour
    }
    // Larger than the driver takes: scaled down, rather than drawn black.
    int largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    if (largest > 0 && (image.width() > largest || image.height() > largest)) {
      image = image.scaled(std::min(image.width(), largest), std::min(image.height(), largest),
                           Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    image = image.convertToFormat(QImage::Format_RGBA8888);
    unsigned texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    // Row 0 of the image at t = 0, as the file's texture coordinates count.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, image.width(), image.height(), 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, image.constBits());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    textures_[m] = texture;
  }
  glBindTexture(GL_TEXTURE_2D, 0);
}

void SceneRenderer::Draw(const Pose& pose, const std::vector<bool>& hiddenJoints,
                         const CameraView& view, QSize size, const std::vector<GuideLine>& guides) {
  glViewport(0, 0, size.width(), size.height());
  glClearColor(kBackground[0], kBackground[1], kBackground[2], 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glDisable(GL_CULL_FACE);
  glEnable(GL_BLEND);
  glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);

  const std::vector<bool> hidden = HiddenTriangles(triangleJoints_, hiddenJoints);
  const bool posed = pose.positions.size() == scene_.vertices.size();
  const bool posedNormals = pose.normals.size() == scene_.triangles.size() * 3;
  data_.clear();
  std::vector<std::pair<int, int>> ranges;  // per bucket: first corner, corners
  for (const Bucket& bucket : buckets_) {
    const int first = static_cast<int>(data_.size() / kFloatsPerCorner);
    for (std::size_t t : bucket.triangles) {
      const host::SceneTriangle& triangle = scene_.triangles[t];
      if (hidden[t] || std::any_of(triangle.vertices.begin(), triangle.vertices.end(),
                                   [&](std::uint16_t v) { return v >= scene_.vertices.size(); })) {
        continue;
      }
      for (std::size_t c = 0; c < 3; ++c) {
        const std::uint16_t v = triangle.vertices[c];
        const Vec3 p = posed ? pose.positions[v] : scene_.vertices[v].position;
        const Vec3 n = posedNormals ? pose.normals[t * 3 + c] : triangle.normals[c];
        data_.insert(data_.end(), {p.x, p.y, p.z, n.x, n.y, n.z, triangle.s[c], triangle.t[c]});
      }
    }
    ranges.emplace_back(first, static_cast<int>(data_.size() / kFloatsPerCorner) - first);
  }

  program_->bind();
  program_->setUniformValue("u_matrix", ViewMatrix(view, size));
  QVector3D light = ToQt(view.eye) - ToQt(view.target);
  program_->setUniformValue("u_light",
                            light.lengthSquared() > 0 ? light.normalized() : QVector3D(0, 0, 1));
  program_->setUniformValue("u_texture", 0);
  buffer_.bind();
  buffer_.allocate(data_.data(), static_cast<int>(data_.size() * sizeof(float)));
  const int stride = kFloatsPerCorner * sizeof(float);
  program_->enableAttributeArray("a_position");
  program_->enableAttributeArray("a_normal");
  program_->enableAttributeArray("a_texCoord");
  program_->setAttributeBuffer("a_position", GL_FLOAT, 0, 3, stride);
  program_->setAttributeBuffer("a_normal", GL_FLOAT, 3 * sizeof(float), 3, stride);
  program_->setAttributeBuffer("a_texCoord", GL_FLOAT, 6 * sizeof(float), 2, stride);
  program_->setUniformValue("u_lit", 1.0f);
  glActiveTexture(GL_TEXTURE0);
  for (std::size_t b = 0; b < buckets_.size(); ++b) {
    if (ranges[b].second == 0) {
      continue;
    }
    const int m = buckets_[b].material;
    const bool hasMaterial = m >= 0 && static_cast<std::size_t>(m) < scene_.materials.size();
    const host::SceneMaterial fallback;
    const host::SceneMaterial& material =
        hasMaterial ? scene_.materials[static_cast<std::size_t>(m)] : fallback;
    const unsigned texture = hasMaterial ? textures_[static_cast<std::size_t>(m)] : 0;
    const auto& d = material.diffuse;
    program_->setUniformValue("u_colour", d[0], d[1], d[2],
                              std::clamp(material.transparency, 0.0f, 1.0f));
    program_->setUniformValue("u_textured", texture != 0 ? 1.0f : 0.0f);
    glBindTexture(GL_TEXTURE_2D, texture);
    glDrawArrays(GL_TRIANGLES, ranges[b].first, ranges[b].second);
  }
  glBindTexture(GL_TEXTURE_2D, 0);
  DrawGuides(guides);
  program_->disableAttributeArray("a_position");
  program_->disableAttributeArray("a_normal");
  program_->disableAttributeArray("a_texCoord");
  buffer_.release();
  program_->release();
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_BLEND);
}

// With the program and buffer bound: the lines, unlit, over the model.
void SceneRenderer::DrawGuides(const std::vector<GuideLine>& guides) {
  if (guides.empty()) {
    return;
  }
  data_.clear();
  std::size_t live = 0;
  // The live camera's lines last, in their own colour.
  for (int pass = 0; pass < 2; ++pass) {
    for (const GuideLine& line : guides) {
      if (line.live != (pass == 1)) {
        continue;
      }
      live += pass;
      for (Vec3 p : {line.from, line.to}) {
        data_.insert(data_.end(), {p.x, p.y, p.z, 0, 0, 0, 0, 0});
      }
    }
  }
  buffer_.allocate(data_.data(), static_cast<int>(data_.size() * sizeof(float)));
  program_->setUniformValue("u_lit", 0.0f);
  program_->setUniformValue("u_textured", 0.0f);
  const int corners = static_cast<int>(data_.size() / kFloatsPerCorner);
  const int liveCorners = static_cast<int>(live * 2);
  program_->setUniformValue("u_colour", 0.55f, 0.85f, 1.0f, 1.0f);
  glDrawArrays(GL_LINES, 0, corners - liveCorners);
  program_->setUniformValue("u_colour", 1.0f, 0.85f, 0.2f, 1.0f);
  glDrawArrays(GL_LINES, corners - liveCorners, liveCorners);
}

}  // namespace quorvel::preview
