#include "examples/ms3d_writer.h"

#include <bit>
#include <cstring>
#include <fstream>
#include <limits>
#include <stdexcept>

namespace quorvel::examples {
namespace {

static_assert(std::endian::native == std::endian::little,
              "the model file is little-endian, and this writer writes native order");

class Bytes {
 public:
  template <class T>
  void Put(T value) {
    char raw[sizeof(T)];
    std::memcpy(raw, &value, sizeof(T));
    out_.append(raw, sizeof(T));
  }
  void PutCount(std::size_t count, const char* what) {
    if (count > std::numeric_limits<std::uint16_t>::max()) {
      throw std::length_error(std::string("a model file holds at most 65535 ") + what);
    }
    Put(static_cast<std::uint16_t>(count));
  }
  // A fixed field of `size` bytes: the text, a NUL, zeros.
  void PutFixed(const std::string& text, std::size_t size) {
    if (text.size() >= size) {
      throw std::length_error("\"" + text + "\" does not fit a field of " +
                              std::to_string(size - 1) + " characters");
    }
    out_ += text;
    out_.append(size - text.size(), '\0');
  }
  void PutText(const std::string& text) {
    Put(static_cast<std::int32_t>(text.size()));
    out_ += text;
  }
  std::string& str() { return out_; }

 private:
  std::string out_;
};

template <class Item>
void PutComments(Bytes& out, const std::vector<Item>& items) {
  std::int32_t count = 0;
  for (const Item& item : items) {
    count += item.comment.empty() ? 0 : 1;
  }
  out.Put(count);
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (!items[i].comment.empty()) {
      out.Put(static_cast<std::int32_t>(i));
      out.PutText(items[i].comment);
    }
  }
}

}  // namespace

std::string WriteModelFile(const ModelFile& model) {
  Bytes out;
  out.str() = "MS3D000000";
  out.Put(std::int32_t{4});

  out.PutCount(model.vertices.size(), "vertices");
  for (const Vertex& vertex : model.vertices) {
    out.Put(std::uint8_t{0});
    out.Put(vertex.x);
    out.Put(vertex.y);
    out.Put(vertex.z);
    out.Put(vertex.bone);
    out.Put(std::uint8_t{1});
  }

  out.PutCount(model.triangles.size(), "triangles");
  for (const Triangle& triangle : model.triangles) {
    out.Put(std::uint16_t{0});
    for (std::uint16_t index : triangle.vertices) {
      out.Put(index);
    }
    for (const Normal& normal : triangle.normals) {
      out.Put(normal.x);
      out.Put(normal.y);
      out.Put(normal.z);
    }
    for (float s : triangle.s) {
      out.Put(s);
    }
    for (float t : triangle.t) {
      out.Put(t);
    }
    out.Put(triangle.smoothingGroup);
    out.Put(triangle.group);
  }

  out.PutCount(model.groups.size(), "groups");
  for (const Group& group : model.groups) {
    out.Put(std::uint8_t{0});
    out.PutFixed(group.name, 32);
    out.PutCount(group.triangles.size(), "triangles in a group");
    for (std::uint16_t index : group.triangles) {
      out.Put(index);
    }
    out.Put(group.material);
  }

  out.PutCount(model.materials.size(), "materials");
  for (const Material& material : model.materials) {
    out.PutFixed(material.name, 32);
    for (const float* colour :
         {material.ambient, material.diffuse, material.specular, material.emissive}) {
      for (int i = 0; i < 4; ++i) {
        out.Put(colour[i]);
      }
    }
    out.Put(material.shininess);
    out.Put(material.transparency);
    out.Put(material.mode);
    out.PutFixed(material.texture, 128);
    out.PutFixed(material.alphaMap, 128);
  }

  out.Put(model.framesPerSecond);
  out.Put(1.0f);  // current time
  out.Put(model.totalFrames);

  out.PutCount(model.joints.size(), "joints");
  for (const Joint& joint : model.joints) {
    out.Put(joint.flags);
    out.PutFixed(joint.name, 32);
    out.PutFixed(joint.parent, 32);
    for (float angle : joint.rotation) {
      out.Put(angle);
    }
    for (float coordinate : joint.position) {
      out.Put(coordinate);
    }
    out.PutCount(joint.rotationKeys.size(), "rotation keys in a joint");
    out.PutCount(joint.positionKeys.size(), "position keys in a joint");
    for (const std::vector<Key>* keys : {&joint.rotationKeys, &joint.positionKeys}) {
      for (const Key& key : *keys) {
        out.Put(key.time);
        for (float value : key.value) {
          out.Put(value);
        }
      }
    }
  }

  out.Put(std::int32_t{1});
  PutComments(out, model.groups);
  PutComments(out, model.materials);
  PutComments(out, model.joints);
  out.Put(std::int32_t{model.comment.empty() ? 0 : 1});
  if (!model.comment.empty()) {
    out.PutText(model.comment);
  }

  if (!model.extraData) {
    return std::move(out.str());
  }
  // The extra data the modeller writes after the comments, so that the file reads
  // in other tools as one of the modeller's own (some insist on bytes after the
  // model comment).
  // vertex extra: further joints and weights, and what the sub-version adds
  if (model.vertexExtraVersion < 1 || model.vertexExtraVersion > 3) {
    throw std::invalid_argument("vertex extra sub-version " +
                                std::to_string(model.vertexExtraVersion) + " is not 1, 2 or 3");
  }
  out.Put(model.vertexExtraVersion);
  for (const Vertex& vertex : model.vertices) {
    for (std::int8_t bone : vertex.extraBones) {
      out.Put(bone);
    }
    for (std::uint8_t weight : vertex.weights) {
      out.Put(weight);
    }
    for (int i = 1; i < model.vertexExtraVersion; ++i) {
      out.Put(vertex.extra[i - 1]);
    }
  }
  out.Put(std::int32_t{1});  // joint extra: the colour each joint is drawn in
  for (std::size_t i = 0; i < model.joints.size(); ++i) {
    out.Put(1.0f);
    out.Put(0.8f);
    out.Put(0.2f);
  }
  out.Put(std::int32_t{1});  // model extra: joint size, transparency mode, alpha ref
  out.Put(1.0f);
  out.Put(std::int32_t{0});
  out.Put(0.5f);
  return std::move(out.str());
}

void SaveModelFile(const ModelFile& model, const std::string& path) {
  const std::string bytes = WriteModelFile(model);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file) {
    throw std::runtime_error("cannot write " + path);
  }
}

}  // namespace quorvel::examples
