// The example model that the README's run command opens.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "examples/fleet_model.h"
#include "host/model_document.h"
#include "plugin/joints/joint_kind.h"
#include "tests/support/ms3d_fixture.h"
#include "tests/support/quorvel_run.h"

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
  // The mothership's hull and bridge, two fighters, the rock and the salvage pod, in
  // five colours.
  EXPECT_EQ(model.meshes.size(), 6u);
  EXPECT_EQ(model.materials.size(), 5u);
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

// The Windows folder's README.txt runs these commands on the example model and the
// example script shipped beside it: each works as that text says.
TEST(ExampleModelTest, TheWindowsReadmesCommandsWork) {
  const std::string readme =
      quorvel::testing::ReadWholeFile(QUORVEL_SOURCE_DIR "/docs/windows-files.txt");
  quorvel::testing::TempFolder folder;
  const std::string model = folder.File("fleet.ms3d");
  quorvel::testing::WriteWholeFile(model, quorvel::testing::ReadWholeFile(kExample));
  const std::string script = folder.File("frame-rate.ui");
  quorvel::testing::WriteWholeFile(
      script, quorvel::testing::ReadWholeFile(QUORVEL_SOURCE_DIR "/examples/frame-rate.ui"));
  const struct {
    const char* line;  // as README.txt writes it
    std::string arguments;
  } commands[] = {
      {"quorvel.exe show fleet.ms3d", "show " + model},
      {"quorvel.exe edit fleet.ms3d --script frame-rate.ui",
       "edit " + model + " --script " + script},
      {"quorvel.exe check fleet.ms3d", "check " + model},
      {"quorvel.exe timeline fleet.ms3d -o fleet.svg",
       "timeline " + model + " -o " + folder.File("fleet.svg")},
  };
  for (const auto& command : commands) {
    SCOPED_TRACE(command.line);
    EXPECT_THAT(readme, ::testing::HasSubstr(std::string("    ") + command.line + "\n"));
    const quorvel::testing::CommandResult result =
        quorvel::testing::RunQuorvel(folder, command.arguments, "env -u ZU2_Root");
    EXPECT_EQ(result.status, 0) << result.err;
  }
  EXPECT_EQ(host::ModelDocument::Open(model).Model().comment.View().substr(0, 12),
            "OPT_FPS=25\r\n");
}

}  // namespace
}  // namespace quorvel::app
