#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "examples/ms3d_writer.h"
#include "host/byte_source.h"
#include "host/ms3d_error.h"
#include "host/ms3d_reader.h"
#include "host/scene.h"
#include "tests/support/ms3d_fixture.h"

namespace quorvel::host {
namespace {

namespace ex = quorvel::examples;

Scene Read(const std::string& bytes) {
  MemorySource source(bytes);
  return ReadScene(source, "model.ms3d");
}

// Four vertices, two triangles, one group and material, three joints (the first
// keyed three times on each channel) and the vertex extra section, sub-version 3.
ex::ModelFile Sample() {
  ex::ModelFile m;
  m.vertices = {{0, 0, 0, 0}, {1, 2, 3, 1}, {0, 1, 0, 1}, {0, 0, 1, -1}};
  m.vertices[1].extraBones[0] = 0;
  m.vertices[1].weights[0] = 60;
  m.vertices[1].weights[1] = 40;
  m.triangles = {{{0, 1, 2}, 0}, {{1, 2, 3}, 0}};
  m.triangles[0].normals[1] = {0, 1, 0};
  m.triangles[0].s[1] = 0.25f;
  m.triangles[0].t[2] = 0.75f;
  m.groups = {{"Body", {0, 1}, 0, ""}};
  m.materials = {{"Paint", {1, 0, 0, 0.5f}, "paint.png", ""}};
  m.materials[0].transparency = 0.5f;
  m.materials[0].alphaMap = "mask.png";
  m.framesPerSecond = 24;
  m.totalFrames = 48;
  ex::Joint root;
  root.name = "Root";
  root.rotationKeys = {{0, {0, 0, 0}}, {1, {0, 1.5f, 0}}, {2, {0, 3, 0}}};
  root.positionKeys = {{0, {0, 0, 0}}, {1, {1, 0, 0}}, {2, {0, 2, 0}}};
  ex::Joint arm;
  arm.name = "Arm";
  arm.parent = "Root";
  arm.position[0] = 2;
  arm.rotation[2] = 0.5f;
  ex::Joint tail;
  tail.name = "Tail";
  tail.parent = "Nobody";
  m.joints = {root, arm, tail};
  m.vertexExtraVersion = 3;
  m.comment = "OPT_FPS=24\r\n";
  return m;
}

// Where the sample's sections begin, counted from the layout by hand.
constexpr std::size_t kTriangles = 14 + 2 + 4 * 15;
constexpr std::size_t kGroups = kTriangles + 2 + 2 * 70;
constexpr std::size_t kMaterials = kGroups + 2 + (1 + 32 + 2 + 2 * 2 + 1);
constexpr std::size_t kAnimation = kMaterials + 2 + 361;
constexpr std::size_t kJoints = kAnimation + 12;
constexpr std::size_t kJointKeyCounts = kJoints + 2 + 1 + 32 + 32 + 24;
constexpr std::size_t kComments = kJoints + 2 + (93 + 6 * 16) + 2 * (93 + 2 * 16);
constexpr std::size_t kVertexExtra = kComments + 16 + 8 + 12;
constexpr std::size_t kJointExtra = kVertexExtra + 4 + 4 * 14;

TEST(SceneReaderTest, ReadsWhatTheWriterWrote) {
  const Scene scene = Read(ex::WriteModelFile(Sample()));
  ASSERT_EQ(scene.vertices.size(), 4u);
  EXPECT_EQ(scene.vertices[1].position.y, 2);
  ASSERT_EQ(scene.triangles.size(), 2u);
  EXPECT_EQ(scene.triangles[1].vertices, (std::array<std::uint16_t, 3>{1, 2, 3}));
  EXPECT_EQ(scene.triangles[0].normals[1].y, 1);
  EXPECT_EQ(scene.triangles[0].normals[0].z, 1);
  EXPECT_EQ(scene.triangles[0].s[1], 0.25f);
  EXPECT_EQ(scene.triangles[0].t[2], 0.75f);
  ASSERT_EQ(scene.groups.size(), 1u);
  EXPECT_EQ(scene.groups[0].name, "Body");
  EXPECT_EQ(scene.groups[0].triangles, (std::vector<std::uint16_t>{0, 1}));
  EXPECT_EQ(scene.groups[0].material, 0);
  ASSERT_EQ(scene.materials.size(), 1u);
  EXPECT_EQ(scene.materials[0].diffuse, (std::array<float, 4>{1, 0, 0, 0.5f}));
  EXPECT_EQ(scene.materials[0].ambient[0], 0.2f);
  EXPECT_EQ(scene.materials[0].transparency, 0.5f);
  EXPECT_EQ(scene.materials[0].texture, "paint.png");
  EXPECT_EQ(scene.materials[0].alphaMap, "mask.png");
  EXPECT_EQ(scene.framesPerSecond, 24);
  EXPECT_EQ(scene.totalFrames, 48);
  ASSERT_EQ(scene.joints.size(), 3u);
  EXPECT_EQ(scene.joints[1].parentName, "Root");
  EXPECT_EQ(scene.joints[1].parent, 0);
  EXPECT_EQ(scene.joints[2].parent, -1);  // an unknown name: a root
  EXPECT_EQ(scene.joints[1].rotation.z, 0.5f);
  EXPECT_EQ(scene.joints[1].position.x, 2);
  ASSERT_EQ(scene.joints[0].rotationKeys.size(), 3u);
  EXPECT_EQ(scene.joints[0].rotationKeys[2].time, 2);
  EXPECT_EQ(scene.joints[0].rotationKeys[1].value.y, 1.5f);
  ASSERT_EQ(scene.joints[0].positionKeys.size(), 3u);
  EXPECT_EQ(scene.joints[0].positionKeys[2].value.y, 2);
  EXPECT_EQ(scene.joints[1].positionKeys.size(), 1u);
}

TEST(SceneReaderTest, AMaterialIndexThatNamesNoneIsNone) {
  ex::ModelFile model = Sample();
  model.groups = {{"Before", {0}, -128, ""}, {"Past", {1}, 1, ""}, {"None", {}, -1, ""}};
  const Scene scene = Read(ex::WriteModelFile(model));
  for (const SceneGroup& group : scene.groups) {
    EXPECT_EQ(group.material, -1) << group.name;
  }
}

TEST(SceneReaderTest, WeightsFollowTheModellersRules) {
  struct Case {
    const char* what;
    std::int8_t bone;
    std::array<std::int8_t, 3> extraBones;
    std::array<std::uint8_t, 3> percent;
    std::array<std::int16_t, 4> joints;
    std::array<float, 4> weights;
  };
  const Case cases[] = {
      {"no weights: its own joint alone", 1, {2, 3, 0}, {0, 0, 0}, {1, -1, -1, -1}, {1, 0, 0, 0}},
      {"four joints, the last the rest",
       0,
       {1, 2, 3},
       {50, 30, 10},
       {0, 1, 2, 3},
       {.5f, .3f, .1f, .1f}},
      {"three summing to 100", 0, {1, 2, 3}, {50, 25, 25}, {0, 1, 2, -1}, {.5f, .25f, .25f, 0}},
      {"cut short by a missing joint", 0, {-1, 2, 3}, {60, 40, 0}, {0, -1, -1, -1}, {1, 0, 0, 0}},
      {"cut short by a joint past the end",
       0,
       {9, 2, 3},
       {60, 40, 0},
       {0, -1, -1, -1},
       {1, 0, 0, 0}},
      {"a first weight of 0", 2, {1, -1, -1}, {0, 50, 0}, {2, -1, -1, -1}, {1, 0, 0, 0}},
      {"over 100 in all", 0, {1, -1, -1}, {150, 50, 0}, {0, 1, -1, -1}, {.75f, .25f, 0, 0}},
      {"no joint", -1, {1, 2, 3}, {50, 30, 10}, {-1, -1, -1, -1}, {0, 0, 0, 0}},
      {"its own joint past the end", 4, {-1, -1, -1}, {0, 0, 0}, {-1, -1, -1, -1}, {0, 0, 0, 0}},
  };
  ex::ModelFile model;
  model.joints.resize(4);
  for (std::size_t i = 0; i < model.joints.size(); ++i) {
    model.joints[i].name = "J" + std::to_string(i);
  }
  for (const Case& c : cases) {
    ex::Vertex vertex{0, 0, 0, c.bone};
    for (int i = 0; i < 3; ++i) {
      vertex.extraBones[i] = c.extraBones[i];
      vertex.weights[i] = c.percent[i];
    }
    model.vertices.push_back(vertex);
  }
  for (int version : {1, 2, 3}) {
    model.vertexExtraVersion = version;
    const Scene scene = Read(ex::WriteModelFile(model));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
      SCOPED_TRACE(std::string(cases[i].what) + ", sub-version " + std::to_string(version));
      EXPECT_EQ(scene.vertices[i].joints, cases[i].joints);
      for (int w = 0; w < 4; ++w) {
        EXPECT_NEAR(scene.vertices[i].weights[w], cases[i].weights[w], 1e-6);
      }
    }
  }
}

TEST(SceneReaderTest, ParentsByNameWithCyclesBroken) {
  struct Case {
    const char* what;
    std::vector<std::pair<const char*, const char*>> joints;  // name, parent name
    std::vector<int> parents;
  };
  const Case cases[] = {
      {"a child before its parent", {{"Hand", "Arm"}, {"Arm", ""}}, {1, -1}},
      {"the first of two of a name", {{"A", ""}, {"A", ""}, {"C", "A"}}, {-1, -1, 0}},
      {"a joint naming itself", {{"Self", "Self"}, {"B", "Self"}}, {-1, 0}},
      {"a cycle of two: the first a root", {{"X", "Y"}, {"Y", "X"}}, {-1, 0}},
      {"a cycle of three met from its end",
       {{"Q", "P"}, {"R", "Q"}, {"P", "R"}, {"S", "P"}},
       {-1, 0, 1, 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ex::ModelFile model;
    for (const auto& [name, parent] : c.joints) {
      ex::Joint joint;
      joint.name = name;
      joint.parent = parent;
      model.joints.push_back(joint);
    }
    const Scene scene = Read(ex::WriteModelFile(model));
    std::vector<int> parents;
    for (const SceneJoint& joint : scene.joints) {
      parents.push_back(joint.parent);
    }
    EXPECT_EQ(parents, c.parents);
  }
}

TEST(SceneReaderTest, HostileFilesGiveAnErrorThatSaysWhere) {
  const std::string good = ex::WriteModelFile(Sample());
  struct Case {
    const char* what;
    std::size_t keep;  // the first bytes kept
    std::size_t at;    // where `value` is patched in, as `size` bytes (0: none)
    int size;
    std::int32_t value;
    const char* says;
  };
  constexpr std::size_t kAll = std::string::npos;
  const Case cases[] = {
      {"empty", 0, 0, 0, 0, "the file is empty"},
      {"version 3", kAll, 10, 4, 3, "header at byte 0: version 3"},
      {"vertices cut", 40, 0, 0, 0, "vertices section at byte 14: vertex count 4 needs 60"},
      {"vertex count 65535", kAll, 14, 2, 65535, "vertices section at byte 14: vertex count 65535"},
      {"triangles cut", kTriangles + 80, 0, 0, 0, "triangles section"},
      {"a corner past the vertices", kAll, kTriangles + 2 + 2, 2, 4,
       "triangles section: triangle 0 of 2 at byte 78: vertex index 4 is out of range"},
      {"group count 65535", kAll, kGroups, 2, 65535,
       "groups section at byte 218: group count 65535"},
      {"group index count 65535", kAll, kGroups + 2 + 33, 2, 65535,
       "groups section: group 0 of 1 at byte 220: triangle index count 65535"},
      {"a group index past the triangles", kAll, kGroups + 2 + 35, 2, 2,
       "groups section: group 0 of 1 at byte 220: triangle index 2 is out of range"},
      {"materials cut", kMaterials + 100, 0, 0, 0, "materials section"},
      {"animation cut", kAnimation + 6, 0, 0, 0, "animation section"},
      {"joint count 65535", kAll, kJoints, 2, 65535,
       "joints section at byte 635: joint count 65535"},
      {"rotation key count 65535", kAll, kJointKeyCounts, 2, 65535,
       "joints section: joint 0 of 3 at byte 637: rotation key count 65535"},
      {"keys cut", kComments - 26, 0, 0, 0,
       "joints section: joint 2 of 3 at byte 951: rotation key count 1 needs 16 bytes, 6 remain"},
      {"comments sub-version 2", kAll, kComments, 4, 2, "comments section"},
      {"comment count 2^31-1", kAll, kComments + 4, 4, 0x7fffffff,
       "comments section at byte 1080: group comment count 2147483647"},
      {"comment count negative", kAll, kComments + 4, 4, -1,
       "comments section at byte 1080: group comment count -1 is negative"},
      {"model comment length 1e6", kAll, kComments + 20, 4, 1000000, "comments section"},
      {"vertex extra sub-version 7", kAll, kVertexExtra, 4, 7, "vertex extra section"},
      {"vertex extra cut", kVertexExtra + 20, 0, 0, 0, "vertex extra section"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string bytes = good.substr(0, c.keep);
    if (c.size == 2) {
      testing::PatchU16(bytes, c.at, static_cast<std::uint16_t>(c.value));
    } else if (c.size == 4) {
      testing::PatchI32(bytes, c.at, c.value);
    }
    MemorySource source(bytes);
    try {
      ReadScene(source, "hostile.ms3d");
      ADD_FAILURE() << "read without an error";
    } catch (const Ms3dError& error) {
      EXPECT_NE(std::string(error.what()).find(std::string("hostile.ms3d: ") + c.says),
                std::string::npos)
          << error.what();
    }
  }
}

// A file may end after its joints or after its comments; a cut anywhere else before
// the vertex extra section ends is refused. What follows that section is not read.
TEST(SceneReaderTest, EveryCutIsRefusedOrALegitimateEnd) {
  const std::string good = ex::WriteModelFile(Sample());
  for (std::size_t cut = 0; cut <= good.size(); ++cut) {
    const bool legitimate = cut == kComments || cut == kVertexExtra || cut >= kJointExtra;
    MemorySource source(std::string_view(good).substr(0, cut));
    try {
      const Scene scene = ReadScene(source, "cut.ms3d");
      EXPECT_TRUE(legitimate) << "a cut at byte " << cut << " was read";
      EXPECT_EQ(scene.joints.size(), 3u);
      // Without the extra section, the vertex with weights moves with its own joint.
      EXPECT_EQ(scene.vertices[1].weights[0], cut >= kJointExtra ? 0.6f : 1.0f);
    } catch (const Ms3dError&) {
      EXPECT_FALSE(legitimate) << "a cut at byte " << cut << " was refused";
    }
  }
}

// Files made by other tools (Debian's assimp-testmodels) read as scenes with the
// counts the model reader finds in them.
TEST(SceneReaderTest, ReadsRealModels) {
  std::error_code error;
  int read = 0;
  for (const auto& entry :
       std::filesystem::directory_iterator("/usr/share/assimp/models/MS3D", error)) {
    if (entry.path().extension() != ".ms3d") {
      continue;
    }
    SCOPED_TRACE(entry.path().string());
    const Scene scene = ReadSceneFile(entry.path().string());
    const Ms3dContents contents = ReadMs3dFile(entry.path().string());
    EXPECT_EQ(scene.vertices.size(), contents.model.vertexCount);
    EXPECT_EQ(scene.triangles.size(), contents.model.triangleCount);
    EXPECT_EQ(scene.groups.size(), contents.model.meshes.size());
    EXPECT_EQ(scene.materials.size(), contents.model.materials.size());
    EXPECT_EQ(scene.joints.size(), contents.model.joints.size());
    ++read;
  }
  if (read == 0) {
    GTEST_SKIP() << "no real model files (Debian package assimp-testmodels)";
  }
}

}  // namespace
}  // namespace quorvel::host
