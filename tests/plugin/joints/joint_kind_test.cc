// How a joint is classified from its name and comment, as the plug-in, show, check
// and timeline all see it.
#include "plugin/joints/joint_kind.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

struct KindCase {
  const char* name;
  const char* comment;
  JointKind kind;
};

const KindCase kCases[] = {
    {"IG_Hidden", "Sob Type=ship\r\n", JointKind::kSkipped},  // before any other test
    {"ZU2_Root", "", JointKind::kSkipped},
    {"CAM_Root", "", JointKind::kSkipped},  // "Root" anywhere wins over "CAM_"
    {"CAM_Main", "Sob Type=ship\r\n", JointKind::kCamera},
    {"cam_main", "", JointKind::kOther},  // case-sensitive
    {"ig_rock", "", JointKind::kOther},
    {"Fighter1", "Sob Type=ship\r\n", JointKind::kShip},
    {"Fighter2", "Sob Type=Ship\r\n", JointKind::kOther},  // exactly "ship"
    {"Fighter3", "Sob Type=ships\r\n", JointKind::kOther},
    {"Rock", "", JointKind::kOther},
    {"", "", JointKind::kOther},
};

TEST(JointKindTest, ClassifiesByNameThenTheFollowersSobType) {
  for (const KindCase& c : kCases) {
    EXPECT_EQ(ClassifyJoint(c.name, c.comment), c.kind) << c.name << " / " << c.comment;
  }
}

TEST(JointKindTest, EveryKindHasItsName) {
  EXPECT_EQ(JointKindName(JointKind::kSkipped), "skipped");
  EXPECT_EQ(JointKindName(JointKind::kCamera), "camera");
  EXPECT_EQ(JointKindName(JointKind::kShip), "ship");
  EXPECT_EQ(JointKindName(JointKind::kOther), "other");
}

}  // namespace
}  // namespace quorvel
