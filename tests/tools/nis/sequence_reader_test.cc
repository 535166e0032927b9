#include "tools/nis/sequence_reader.h"

#include <gtest/gtest.h>

#include "host/ms_model_handle.h"
#include "tests/tools/check/check_fixture.h"

namespace quorvel::nis {
namespace {

SequenceInput ReadInMemory(const host::Model& model) {
  msModel* handle = host::AdoptDocument(host::ModelDocument(model));
  const check::ModelFacts facts = check::ReadModelFacts(handle, {});
  SequenceInput input = ReadSequenceInput(facts);
  msHost_FreeModel(handle);
  return input;
}

TEST(SequenceReaderTest, RecordsAreReadAsTheSessionReadsThem) {
  host::Model model = testing::CleanModel();
  model.comment =
      "OPT_FPS=30\r\nNum Events=4\r\nEvent0=40|fadeSet|1\r\nEvent1=0|cameraCut|\"CAM_Main\"\r\n"
      "Event2=no event\r\nEvent3=900|nisOut|\r\n";
  model.joints.push_back({"IG_Helper", 1, "Sob Type=ship\r\nNum Events=1\r\nEvent0=5|hide|\r\n"});
  const SequenceInput input = ReadInMemory(model);
  EXPECT_EQ(input.frameRate, 30u);
  EXPECT_EQ(input.lastFrame, 900);  // the last event, past the animation's 300 frames
  ASSERT_EQ(input.modelEvents.size(), 3u);
  EXPECT_EQ(input.modelEvents[0].text, "0|cameraCut|\"CAM_Main\"");
  EXPECT_EQ(input.modelEvents[0].value, "\"CAM_Main\"");
  EXPECT_EQ(input.modelEvents[1].name, "fadeSet");
  EXPECT_EQ(input.modelEvents[1].frame, 40);

  struct Expected {
    std::string name;
    JointRole role;
    std::string centre;
    std::size_t events;
  };
  const Expected expected[] = {
      {"ZU2_Root", JointRole::kOther, "", 0},    {"CAM_Main", JointRole::kCamera, "Fighter1", 1},
      {"Fighter1", JointRole::kFollower, "", 1}, {"Mother", JointRole::kFollower, "", 0},
      {"Rock", JointRole::kFollower, "", 0},     {"IG_Helper", JointRole::kOther, "", 0},
  };
  ASSERT_EQ(input.joints.size(), std::size(expected));
  for (std::size_t i = 0; i < input.joints.size(); ++i) {
    EXPECT_EQ(input.joints[i].name, expected[i].name);
    EXPECT_EQ(input.joints[i].role, expected[i].role) << expected[i].name;
    EXPECT_EQ(input.joints[i].centreOfInterest, expected[i].centre) << expected[i].name;
    EXPECT_EQ(input.joints[i].events.size(), expected[i].events) << expected[i].name;
  }
  EXPECT_EQ(input.joints[2].events.at(0).name, "attack");

  // The state follows: the cut's camera looks at its centre of interest.
  const NisState state = NisTimeline(input).At(0);
  EXPECT_EQ(state.liveCamera, 1);
  EXPECT_EQ(state.centreOfInterest, 2);
}

}  // namespace
}  // namespace quorvel::nis
