// The example model that the README's run command opens.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "examples/fleet_model.h"
#include "host/model_document.h"
#include "joints/joint_kind.h"
#include "tests/support/ms3d_fixture.h"

namespace quorvel::app {
namespace {

const char kExample[] = QUORVEL_SOURCE_DIR "/examples/fleet.ms3d";

// The committed file is what its generator writes.
TEST(ExampleModelTest, IsTheGeneratorsOutput) {
  EXPECT_EQ(quorvel::testing::ReadWholeFile(kExample),
            examples::WriteModelFile(examples::FleetModel()));
}

TEST(ExampleModelTest, HoldsWhatTheEditorIsShownWith) {
  const host::ModelDocument document = host::ModelDocument::Open(kExample);
  const host::Model& model = document.Model();
  EXPECT_EQ(model.meshes.size(), 1u);
  EXPECT_EQ(model.materials.size(), 1u);
  EXPECT_FALSE(model.comment.empty());
  int kinds[4] = {0, 0, 0, 0};
  bool hasRoot = false;
  bool hasIgnored = false;
  for (const host::Joint& joint : model.joints) {
    ++kinds[static_cast<int>(ClassifyJoint(joint.name, joint.comment))];
    hasRoot = hasRoot || joint.name.find("Root") != std::string::npos;
    hasIgnored = hasIgnored || joint.name.starts_with("IG_");
  }
  EXPECT_TRUE(hasRoot);
  EXPECT_TRUE(hasIgnored);
  EXPECT_GE(kinds[static_cast<int>(JointKind::kCamera)], 2);
  EXPECT_GE(kinds[static_cast<int>(JointKind::kShip)], 2);
  EXPECT_GE(kinds[static_cast<int>(JointKind::kOther)], 2);
}

}  // namespace
}  // namespace quorvel::app
