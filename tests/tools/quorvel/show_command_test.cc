#include "tools/quorvel/show_command.h"
#include "tests/tools/quorvel/show_report.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sstream>

#include "host/model_document.h"
#include "host/ms_model_handle.h"
#include "tests/support/ms3d_fixture.h"

namespace quorvel::app {
namespace {

using ::testing::HasSubstr;

class ShowCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host::Model model;
    model.meshes.resize(1);
    model.comment = "OPT_FPS=30\r\nNum Events=1\r\nEvent0=10|Fade In|2\r\n";
    model.joints = {
        {"ZU2_Root", 1, "Sob Type=ship\r\n"},
        {"CAM_Main", 1, ""},
        {"CAM_Side", 1, "Center Of Interest=Fighter1\r\nNum Events=0\r\n"},
        {"Fighter1", 1, "Sob Type=ship\r\nSob Name=Alpha\r\nNum Events=1\r\nEvent0=A\r\n"},
        {"IG_Helper", 1, ""},
        {"Rock", 0, ""},
        // The session reads comments whole: a "Sob Type" past 1023 bytes counts.
        {"Far", 0, std::string(1100, ' ') + "Sob Type=ship\r\n"},
    };
    handle_ = host::AdoptDocument(host::ModelDocument(model));
    report_ = BuildShowReport(handle_);
    report_.file = "fleet.ms3d";
    report_.plugInTitle = "Quorvel";
  }
  void TearDown() override { msHost_FreeModel(handle_); }

  msModel* handle_ = nullptr;
  ShowReport report_;
};

TEST_F(ShowCommandTest, ClassifiesAsTheSessionDoes) {
  ASSERT_EQ(report_.joints.size(), 7u);
  std::vector<JointKind> kinds;
  for (const JointReport& joint : report_.joints) {
    kinds.push_back(joint.kind);
  }
  EXPECT_THAT(kinds,
              ::testing::ElementsAre(JointKind::kSkipped, JointKind::kCamera, JointKind::kCamera,
                                     JointKind::kShip, JointKind::kSkipped, JointKind::kOther,
                                     JointKind::kShip));
  EXPECT_TRUE(report_.joints[0].marked);
  EXPECT_FALSE(report_.joints[5].marked);
  EXPECT_FALSE(report_.joints[0].follower || report_.joints[0].camera);
  EXPECT_EQ(report_.joints[2].camera->centerOfInterest, "Fighter1");
  EXPECT_EQ(report_.joints[3].follower->sobGroupName, "Alpha");
  EXPECT_EQ(report_.joints[3].follower->events, EventList{"A"});
  EXPECT_EQ(report_.joints[5].follower->sobGroupType, "");  // loaded: "None" does not survive
  EXPECT_EQ(report_.model.frameRate, 30u);
  EXPECT_EQ(report_.model.events, EventList{"10|Fade In|2"});
}

TEST_F(ShowCommandTest, TextNamesKindsMarksAndFields) {
  std::ostringstream out;
  PrintShowReport(report_, out);
  std::string text = out.str();
  EXPECT_THAT(text, HasSubstr("\"Quorvel\" attributes of fleet.ms3d"));
  EXPECT_THAT(text, HasSubstr("OPT_FPS: 30"));
  EXPECT_THAT(text, HasSubstr("Event0: 10|Fade In|2"));
  EXPECT_THAT(text, HasSubstr("0 ZU2_Root: skipped, marked"));
  EXPECT_THAT(text, HasSubstr("2 CAM_Side: camera, marked\n      Center Of Interest: Fighter1"));
  EXPECT_THAT(text, HasSubstr("3 Fighter1: ship follower, marked\n      Sob Type: ship\n"
                              "      Sob Name: Alpha\n      Num Events: 1\n        Event0: A"));
  EXPECT_THAT(text, HasSubstr("5 Rock: other follower, not marked"));
}

TEST(ShowCommandEscapeTest, TextEscapesControlBytesOfNamesAndComments) {
  host::Model model;
  model.comment = "Num Events=1\r\nEvent0=1|\x1b]0;title\x07|2\r\n";
  model.joints = {{"CAM_\x1b[31mRed", 1, "Center Of Interest=\x1b[2J\r\nNum Events=0\r\n"},
                  {"Ship\x9b", 1,
                   "Sob Type=ship\r\nSob Name=A\x08\x08"
                   "B\r\n"}};
  msModel* handle = host::AdoptDocument(host::ModelDocument(model));
  ShowReport report = BuildShowReport(handle);
  msHost_FreeModel(handle);
  std::ostringstream out;
  PrintShowReport(report, out);
  const std::string text = out.str();
  for (const char control : {'\x1b', '\x07', '\x08'}) {
    EXPECT_EQ(text.find(control), std::string::npos) << static_cast<int>(control);
  }
  EXPECT_EQ(text.find("\xc2\x9b"), std::string::npos);
  EXPECT_THAT(text, HasSubstr("Event0: 1|\\u001b]0;title\\u0007|2\n"));
  EXPECT_THAT(text, HasSubstr("0 CAM_\\u001b[31mRed: camera, marked\n"
                              "      Center Of Interest: \\u001b[2J\n"));
  EXPECT_THAT(text, HasSubstr("1 Ship\\u009b: ship follower"));
  EXPECT_THAT(text, HasSubstr("Sob Name: A\\b\\bB\n"));
}

TEST_F(ShowCommandTest, JsonHoldsTheSame) {
  nlohmann::ordered_json json = ShowReportJson(report_);
  EXPECT_EQ(json["plugIn"], "Quorvel");
  EXPECT_EQ(json["model"]["frameRate"], 30);
  EXPECT_EQ(json["model"]["events"][0], "10|Fade In|2");
  EXPECT_EQ(json["joints"][0]["kind"], "skipped");
  EXPECT_FALSE(json["joints"][0].contains("record"));
  EXPECT_EQ(json["joints"][2]["kind"], "camera");
  EXPECT_EQ(json["joints"][2]["record"]["centerOfInterest"], "Fighter1");
  EXPECT_EQ(json["joints"][3]["kind"], "ship");
  EXPECT_EQ(json["joints"][3]["marked"], true);
  EXPECT_EQ(json["joints"][3]["record"]["sobGroupType"], "ship");
  EXPECT_EQ(json["joints"][3]["record"]["events"], nlohmann::ordered_json({"A"}));
  EXPECT_EQ(json["joints"][5]["kind"], "other");
  EXPECT_EQ(json["joints"][5]["marked"], false);
}

// The streamed output is byte for byte what the document tree gave, on the fixture
// and on a model whose texts hold control characters, quotes and bytes from 0x80 up.
TEST_F(ShowCommandTest, StreamedOutputIsWhatTheReportGives) {
  host::Model odd;
  odd.comment =
      "OPT_FPS=7\r\nNum Events=2\r\nEvent0=1|a\"b\\c|\x01\x7f\r\nEvent1=2|\xe9\xff|\t\r\n";
  odd.joints = {
      {"CAM_\xe9", 0, "Center Of Interest=\"q\"\x1f\r\nNum Events=0\r\n"},
      {"Ship\x08", 1, "Sob Type=ship\r\nSob Name=\xc0\\\r\nNum Events=1\r\nEvent0=3|x|\f\r\n"},
      {"IG_x", 1, ""},
  };
  msModel* oddHandle = host::AdoptDocument(host::ModelDocument(odd));
  host::Model empty;
  msModel* emptyHandle = host::AdoptDocument(host::ModelDocument(empty));
  for (msModel* model : {handle_, oddHandle, emptyHandle}) {
    ShowReport report = BuildShowReport(model);
    report.file = "dir/fleet \xe2\x80\x94.ms3d";
    report.plugInTitle = "Quorvel";
    std::ostringstream json;
    WriteShow(model, report.file, report.plugInTitle, true, json);
    EXPECT_EQ(json.str(), ShowReportJson(report).dump(2) + "\n");
    std::ostringstream text;
    WriteShow(model, report.file, report.plugInTitle, false, text);
    std::ostringstream expected;
    PrintShowReport(report, expected);
    EXPECT_EQ(text.str(), expected.str());
  }
  msHost_FreeModel(oddHandle);
  msHost_FreeModel(emptyHandle);
}

// On the example model, the output is what `quorvel show` wrote before it streamed.
TEST(ShowCommandExampleTest, ExampleModelGivesTheCommittedOutput) {
  msModel* model =
      host::AdoptDocument(host::ModelDocument::Open(QUORVEL_SOURCE_DIR "/examples/fleet.ms3d"));
  for (const bool json : {true, false}) {
    std::ostringstream out;
    WriteShow(model, "fleet.ms3d", "Quorvel", json, out);
    EXPECT_EQ(out.str(), quorvel::testing::ReadWholeFile(
                             json ? QUORVEL_SOURCE_DIR "/tests/tools/quorvel/fleet_show.json"
                                  : QUORVEL_SOURCE_DIR "/tests/tools/quorvel/fleet_show.txt"));
  }
  msHost_FreeModel(model);
}

}  // namespace
}  // namespace quorvel::app
