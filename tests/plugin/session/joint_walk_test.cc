#include "plugin/session/joint_walk.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <algorithm>

#include "tests/plugin/session/fake_host.h"
#include "tests/support/worked_example.h"

namespace quorvel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// The joints of the worked example of the editing session.
msModel WorkedExample() {
  msModel model;
  model.joints = quorvel::testing::WorkedExampleJoints<FakeJoint>();
  model.Prepare();
  return model;
}

TEST(JointWalkTest, WorkedExample) {
  msModel model = WorkedExample();
  JointWalk walk = WalkJoints(&model);

  EXPECT_EQ(walk.objectNames, NameList({"CAM_Main", "CAM_Side", "Fighter1", "Rock"}));
  EXPECT_EQ(walk.cameraNames, NameList({"CAM_Main", "CAM_Side"}));
  EXPECT_EQ(walk.shipNames, NameList({"Fighter1"}));
  EXPECT_EQ(walk.otherNames, NameList({"Rock"}));
  EXPECT_THAT(walk.followerJoints, ElementsAre(&model.bones[3]));
  EXPECT_THAT(walk.cameraJoints, ElementsAre(&model.bones[1], &model.bones[2]));

  // The skipped joints' flag words are never asked for.
  EXPECT_EQ(std::count(model.calls.begin(), model.calls.end(), "GetFlags 0"), 0);
  EXPECT_EQ(std::count(model.calls.begin(), model.calls.end(), "GetFlags 4"), 0);
}

TEST(JointWalkTest, AsksTheCountBeforeEachJointAndReadsEveryJointInFull) {
  msModel model = WorkedExample();
  model.joints.resize(2);
  model.Prepare();
  WalkJoints(&model);
  EXPECT_THAT(model.calls,
              ElementsAre("GetBoneCount", "GetBoneAt 0", "GetName 0 32", "GetComment 0 1024",
                          "GetBoneCount", "GetBoneAt 1", "GetName 1 32", "GetComment 1 1024",
                          "GetFlags 1", "GetBoneCount"));
}

TEST(JointWalkTest, FollowsTheCountAsTheHostReportsIt) {
  msModel model = WorkedExample();
  model.countAfterFirstJoint = 2;
  WalkJoints(&model);
  EXPECT_EQ(std::count(model.calls.begin(), model.calls.end(), "GetBoneAt 2"), 0);
  EXPECT_EQ(std::count(model.calls.begin(), model.calls.end(), "GetBoneAt 1"), 1);
}

// A host that writes nothing must give empty text, not what the previous joint
// left in the buffers.
TEST(JointWalkTest, HostWritingNothingGivesEmptyNamesAndComments) {
  msModel model = WorkedExample();
  model.writesNothing = true;
  JointWalk walk = WalkJoints(&model);
  EXPECT_EQ(walk.objectNames, NameList({"", "", "", "", "", ""}));
  EXPECT_EQ(walk.otherNames, walk.objectNames);
  EXPECT_THAT(walk.shipNames, IsEmpty());
  EXPECT_EQ(walk.followerJoints.size(), 4u);  // the four marked joints
}

// Names are seen through the host's 32-character buffer; comments are read whole,
// so a "Sob Type" beyond the first 1023 characters still counts.
TEST(JointWalkTest, NamesAreCutToTheBufferCommentsAreReadWhole) {
  msModel model;
  std::string longName(40, 'x');
  model.joints = {{longName, 1, std::string(1023, ' ') + "Sob Type=ship\r\n"},
                  {"Cruiser", 1, std::string(1000, ' ') + "Sob Type=ship\r\n"}};
  model.Prepare();
  JointWalk walk = WalkJoints(&model);
  EXPECT_EQ(walk.shipNames, NameList({std::string(31, 'x'), "Cruiser"}));
  EXPECT_THAT(walk.otherNames, IsEmpty());
}

struct ClassifyCase {
  const char* name;
  const char* comment;
  const char* expected;  // list the name lands in, or "skipped"
};

class JointWalkClassifyTest : public ::testing::TestWithParam<ClassifyCase> {};

TEST_P(JointWalkClassifyTest, PutsTheJointInTheRightList) {
  msModel model;
  model.joints = {{GetParam().name, 1, GetParam().comment}};
  model.Prepare();
  JointWalk walk = WalkJoints(&model);
  std::string where = "skipped";
  if (!walk.cameraNames.empty()) {
    where = "camera";
  } else if (!walk.shipNames.empty()) {
    where = "ship";
  } else if (!walk.otherNames.empty()) {
    where = "other";
  }
  EXPECT_EQ(where, GetParam().expected);
  EXPECT_EQ(walk.objectNames.size(), where == "skipped" ? 0u : 1u);
  EXPECT_EQ(walk.followerJoints.size() + walk.cameraJoints.size(), where == "skipped" ? 0u : 1u);
}

INSTANTIATE_TEST_SUITE_P(Names, JointWalkClassifyTest,
                         ::testing::Values(ClassifyCase{"IG_Helper", "", "skipped"},
                                           ClassifyCase{"MyIG_", "", "other"},
                                           ClassifyCase{"ZU2_Root", "Sob Type=ship", "skipped"},
                                           ClassifyCase{"RootCam", "", "skipped"},
                                           ClassifyCase{"CAM_Root", "", "skipped"},
                                           ClassifyCase{"root", "", "other"},
                                           ClassifyCase{"CAM_Side", "Sob Type=ship\r\n", "camera"},
                                           ClassifyCase{"cam_side", "", "other"},
                                           ClassifyCase{"Fighter", "Sob Type=ship\r\n", "ship"},
                                           ClassifyCase{"Fighter", "Sob Type=ship", "ship"},
                                           ClassifyCase{"Fighter", "Sob Type=Ship\r\n", "other"},
                                           ClassifyCase{"Fighter", "Sob Type=ship \r\n", "other"},
                                           ClassifyCase{"Fighter", "", "other"}));

TEST(JointWalkTest, DuplicateNamesAppearTwice) {
  msModel model;
  model.joints = {{"Wing", 1, ""}, {"Wing", 1, ""}};
  model.Prepare();
  JointWalk walk = WalkJoints(&model);
  EXPECT_EQ(walk.otherNames, NameList({"Wing", "Wing"}));
  EXPECT_EQ(walk.followerJoints.size(), 2u);
}

}  // namespace
}  // namespace quorvel
