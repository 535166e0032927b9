#include <algorithm>
#include <string_view>
#include <unordered_map>

#include "host/file_status.h"
#include "host/ms3d_error.h"
#include "host/ms3d_fields.h"
#include "host/ms3d_reader.h"
#include "host/scene.h"

namespace quorvel::host {
namespace {

using namespace ms3d_fields;

Vec3 Vec3At(const unsigned char* b) {
  return {FieldReader::F32At(b), FieldReader::F32At(b + 4), FieldReader::F32At(b + 8)};
}

// A record of fixed size, read at once: its count was checked against the bytes
// that remain before the records were allocated.
template <std::size_t kSize>
void ReadRecord(FieldReader& in, unsigned char (&record)[kSize], std::string_view what) {
  in.Fields(record, {{kSize, what}});
}

// The own joint of each vertex, until the vertex extra section gives the rest.
std::vector<std::int8_t> ReadVertices(FieldReader& in, Scene& scene) {
  in.EnterSection("vertices section");
  const std::uint16_t count = in.U16("the vertex count");
  in.NeedItems(count, kVertexSize, "vertex");
  scene.vertices.resize(count);
  std::vector<std::int8_t> bones(count);
  for (std::uint16_t i = 0; i < count; ++i) {
    unsigned char record[kVertexSize];
    ReadRecord(in, record, "a vertex");
    scene.vertices[i].position = Vec3At(record + 1);
    bones[i] = static_cast<std::int8_t>(record[13]);
  }
  return bones;
}

void ReadTriangles(FieldReader& in, Scene& scene) {
  in.EnterSection("triangles section");
  const std::uint16_t count = in.U16("the triangle count");
  in.NeedItems(count, kTriangleSize, "triangle");
  scene.triangles.resize(count);
  for (std::uint16_t i = 0; i < count; ++i) {
    in.EnterItem("triangle", i, count);
    unsigned char record[kTriangleSize];
    ReadRecord(in, record, "a triangle");
    SceneTriangle& triangle = scene.triangles[i];
    for (int corner = 0; corner < 3; ++corner) {
      const std::uint16_t vertex = FieldReader::U16At(record + 2 + 2 * corner);
      if (vertex >= scene.vertices.size()) {
        in.Fail("vertex index " + std::to_string(vertex) + " is out of range: the model has " +
                std::to_string(scene.vertices.size()) + " vertices");
      }
      triangle.vertices[corner] = vertex;
      triangle.normals[corner] = Vec3At(record + 8 + 12 * corner);
      triangle.s[corner] = FieldReader::F32At(record + 44 + 4 * corner);
      triangle.t[corner] = FieldReader::F32At(record + 56 + 4 * corner);
    }
    triangle.group = record[69];
  }
}

void ReadGroups(FieldReader& in, Scene& scene) {
  in.EnterSection("groups section");
  const std::uint16_t count = in.U16("the group count");
  in.NeedItemsAtLeast(count, kGroupMinimumSize, "group");
  scene.groups.resize(count);
  for (std::uint16_t i = 0; i < count; ++i) {
    in.EnterItem("group", i, count);
    SceneGroup& group = scene.groups[i];
    in.Skip(1, "the flags");
    group.name = in.Name("the name");
    const std::uint16_t triangles = in.U16("the triangle index count");
    in.NeedItems(triangles, 2, "triangle index");
    group.triangles.resize(triangles);
    for (std::uint16_t& triangle : group.triangles) {
      triangle = in.U16("a triangle index");
      if (triangle >= scene.triangles.size()) {
        in.Fail("triangle index " + std::to_string(triangle) + " is out of range: the model has " +
                std::to_string(scene.triangles.size()) + " triangles");
      }
    }
    // Resolved once the materials are read; an index that names none means none.
    group.material = static_cast<std::int8_t>(in.U8("the material index"));
  }
}

void ReadMaterials(FieldReader& in, Scene& scene) {
  in.EnterSection("materials section");
  const std::uint16_t count = in.U16("the material count");
  in.NeedItems(count, kMaterialSize, "material");
  scene.materials.resize(count);
  for (std::uint16_t i = 0; i < count; ++i) {
    in.EnterItem("material", i, count);
    unsigned char record[kMaterialSize];
    ReadRecord(in, record, "a material");
    SceneMaterial& material = scene.materials[i];
    material.name = FieldReader::NameAt(record);
    const unsigned char* at = record + kNameSize;
    for (std::array<float, 4>* colour :
         {&material.ambient, &material.diffuse, &material.specular, &material.emissive}) {
      for (float& channel : *colour) {
        channel = FieldReader::F32At(at);
        at += 4;
      }
    }
    material.shininess = FieldReader::F32At(at);
    material.transparency = FieldReader::F32At(at + 4);
    at += 9;  // and the mode
    material.texture = FieldReader::TextAt(at, 128);
    material.alphaMap = FieldReader::TextAt(at + 128, 128);
  }
  for (SceneGroup& group : scene.groups) {
    if (group.material < -1 || group.material >= static_cast<int>(count)) {
      group.material = -1;
    }
  }
}

void ReadAnimation(FieldReader& in, Scene& scene) {
  in.EnterSection("animation section");
  in.Need(kAnimationSize, "the animation settings");
  scene.framesPerSecond = in.F32("frames per second");
  in.F32("the current time");
  scene.totalFrames = in.I32("the total frames");
}

void ReadKeys(FieldReader& in, std::uint16_t count, std::vector<SceneKey>& keys,
              std::string_view what) {
  in.NeedItems(count, kKeyframeSize, what);
  keys.resize(count);
  for (SceneKey& key : keys) {
    unsigned char record[kKeyframeSize];
    ReadRecord(in, record, what);
    key.time = FieldReader::F32At(record);
    key.value = Vec3At(record + 4);
  }
}

void ReadJoints(FieldReader& in, Scene& scene) {
  in.EnterSection("joints section");
  const std::uint16_t count = in.U16("the joint count");
  in.NeedItemsAtLeast(count, kJointFixedSize, "joint");
  scene.joints.resize(count);
  for (std::uint16_t i = 0; i < count; ++i) {
    in.EnterItem("joint", i, count);
    SceneJoint& joint = scene.joints[i];
    unsigned char fixed[kJointFixedSize];
    in.Fields(fixed, kJointFixedFields);
    joint.name = FieldReader::NameAt(fixed + 1);
    joint.parentName = FieldReader::NameAt(fixed + 1 + kNameSize);
    joint.rotation = Vec3At(fixed + 1 + 2 * kNameSize);
    joint.position = Vec3At(fixed + 1 + 2 * kNameSize + 12);
    const std::uint16_t rotationKeys = FieldReader::U16At(fixed + kJointFixedSize - 4);
    const std::uint16_t positionKeys = FieldReader::U16At(fixed + kJointFixedSize - 2);
    ReadKeys(in, rotationKeys, joint.rotationKeys, "rotation key");
    ReadKeys(in, positionKeys, joint.positionKeys, "position key");
  }
}

// A joint's parent is the first joint of its parent name; an empty or unknown name
// makes it a root. Names may form cycles (a joint naming itself, or two naming each
// other), which would make every walk up the chain endless: each cycle is broken at
// the joint of the cycle that comes first in the file, which becomes a root, so that
// every chain ends and the rest of the cycle hangs below that joint
// (BreakParentCycles).
void ResolveParents(std::vector<SceneJoint>& joints) {
  std::unordered_map<std::string_view, int> byName;
  byName.reserve(joints.size());
  for (std::size_t i = 0; i < joints.size(); ++i) {
    byName.emplace(joints[i].name, static_cast<int>(i));
  }
  std::vector<int> parents(joints.size());
  for (std::size_t i = 0; i < joints.size(); ++i) {
    const auto found =
        joints[i].parentName.empty() ? byName.end() : byName.find(joints[i].parentName);
    parents[i] = found == byName.end() ? -1 : found->second;
  }
  BreakParentCycles(parents);
  for (std::size_t i = 0; i < joints.size(); ++i) {
    joints[i].parent = parents[i];
  }
}

// Passes over the comments section, with the reader's own checks on its counts and
// lengths; the scene keeps no comments.
void SkipComments(FieldReader& in) {
  in.EnterSection("comments section");
  const std::int32_t subVersion = in.I32("the sub-version");
  if (subVersion != kCommentsSubVersion) {
    in.Fail("sub-version " + std::to_string(subVersion) + "; only sub-version 1 can be read");
  }
  for (std::string_view kind : {"group comment", "material comment", "joint comment"}) {
    in.EnterSection("comments section");
    const std::int32_t count = in.I32("the comment count");
    if (count < 0) {
      in.Fail(std::string(kind) + " count " + std::to_string(count) + " is negative");
    }
    in.NeedItemsAtLeast(static_cast<std::uint64_t>(count), kCommentEntryMinimumSize, kind);
    for (std::int32_t i = 0; i < count; ++i) {
      in.EnterItem(kind, static_cast<std::uint64_t>(i), static_cast<std::uint64_t>(count));
      in.I32("the index");
      const std::int32_t length = in.I32("the length");
      if (length < 0) {
        in.Fail("length " + std::to_string(length) + " is negative");
      }
      in.Skip(static_cast<std::uint64_t>(length), "the text");
    }
  }
  in.EnterSection("comments section");
  const std::int32_t hasModelComment = in.I32("the model comment flag");
  if (hasModelComment != 0 && hasModelComment != 1) {
    in.Fail("model comment flag " + std::to_string(hasModelComment) + " is neither 0 nor 1");
  }
  if (hasModelComment == 1) {
    const std::int32_t length = in.I32("the model comment length");
    if (length < 0) {
      in.Fail("model comment length " + std::to_string(length) + " is negative");
    }
    in.Skip(static_cast<std::uint64_t>(length), "the model comment");
  }
}

struct ExtraJoints {
  std::int8_t bones[3] = {-1, -1, -1};
  std::uint8_t percent[3] = {0, 0, 0};
};

// The vertex extra section, when the file has one: three more joints and three
// weights a vertex. Nothing after it is needed.
std::vector<ExtraJoints> ReadVertexExtra(FieldReader& in, std::size_t vertexCount) {
  std::vector<ExtraJoints> extras;
  if (in.Remaining() == 0) {
    return extras;
  }
  in.EnterSection("vertex extra section");
  const std::int32_t subVersion = in.I32("the sub-version");
  if (subVersion < 1 || subVersion > 3) {
    in.Fail("sub-version " + std::to_string(subVersion) +
            "; only sub-versions 1, 2 and 3 can be read");
  }
  const std::uint64_t size = kVertexExtraSize[subVersion - 1];
  in.NeedItems(vertexCount, size, "vertex");
  extras.resize(vertexCount);
  for (ExtraJoints& extra : extras) {
    unsigned char record[6];
    ReadRecord(in, record, "a vertex");
    for (int i = 0; i < 3; ++i) {
      extra.bones[i] = static_cast<std::int8_t>(record[i]);
      extra.percent[i] = record[3 + i];
    }
    in.Skip(size - sizeof record, "the vertex's further values");
  }
  return extras;
}

// A vertex's joints and weights: with any extra weight non-zero, its own joint gets
// the first weight, the extra joints 0 and 1 the next two and extra joint 2 the rest
// up to 100; otherwise its own joint gets 100. The list ends at a joint that is not
// in the model or a weight that is not above 0. A vertex whose own joint is in the
// model but whose list ends at once moves with that joint alone. The weights are
// scaled to sum to 1, so that a list ended early, or weights above 100 in all,
// still place the vertex among its joints rather than towards the origin.
void Bind(SceneVertex& vertex, std::int8_t bone, const ExtraJoints& extra, std::size_t joints) {
  const int ids[4] = {bone, extra.bones[0], extra.bones[1], extra.bones[2]};
  int percent[4] = {100, 0, 0, 0};
  if (extra.percent[0] != 0 || extra.percent[1] != 0 || extra.percent[2] != 0) {
    percent[0] = extra.percent[0];
    percent[1] = extra.percent[1];
    percent[2] = extra.percent[2];
    percent[3] = 100 - percent[0] - percent[1] - percent[2];
  }
  const auto inModel = [joints](int id) {
    return id >= 0 && static_cast<std::size_t>(id) < joints;
  };
  int kept = 0;
  int sum = 0;
  while (kept < 4 && inModel(ids[kept]) && percent[kept] > 0) {
    sum += percent[kept];
    ++kept;
  }
  if (kept == 0 && inModel(ids[0])) {
    percent[0] = sum = 100;
    kept = 1;
  }
  for (int i = 0; i < kept; ++i) {
    vertex.joints[i] = static_cast<std::int16_t>(ids[i]);
    vertex.weights[i] = static_cast<float>(percent[i]) / static_cast<float>(sum);
  }
}

}  // namespace

void BreakParentCycles(std::vector<int>& parents) {
  const int count = static_cast<int>(parents.size());
  for (int& parent : parents) {
    if (parent < -1 || parent >= count) {
      parent = -1;
    }
  }
  enum : std::uint8_t { kUnseen, kOnPath, kDone };
  std::vector<std::uint8_t> state(parents.size(), kUnseen);
  std::vector<int> path;
  for (int start = 0; start < count; ++start) {
    path.clear();
    int at = start;
    while (at != -1 && state[at] == kUnseen) {
      state[at] = kOnPath;
      path.push_back(at);
      at = parents[at];
    }
    if (at != -1 && state[at] == kOnPath) {
      const auto cycle = std::find(path.begin(), path.end(), at);
      parents[*std::min_element(cycle, path.end())] = -1;
    }
    for (int joint : path) {
      state[joint] = kDone;
    }
  }
}

Scene ReadScene(ByteSource& source, std::string_view displayName) {
  FieldReader in(source, displayName);
  Scene scene;
  ReadHeader(in);
  const std::vector<std::int8_t> bones = ReadVertices(in, scene);
  ReadTriangles(in, scene);
  ReadGroups(in, scene);
  ReadMaterials(in, scene);
  ReadAnimation(in, scene);
  ReadJoints(in, scene);
  std::vector<ExtraJoints> extras;
  if (in.Remaining() != 0) {
    SkipComments(in);
    extras = ReadVertexExtra(in, scene.vertices.size());
  }
  ResolveParents(scene.joints);
  for (std::size_t i = 0; i < scene.vertices.size(); ++i) {
    Bind(scene.vertices[i], bones[i], extras.empty() ? ExtraJoints{} : extras[i],
         scene.joints.size());
  }
  return scene;
}

Scene ReadSceneFile(const std::string& path) {
  return ReadModelFile(path, [](ByteSource& source, std::string_view displayName) {
    return ReadScene(source, displayName);
  });
}

}  // namespace quorvel::host
