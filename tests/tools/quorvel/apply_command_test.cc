// `quorvel apply` run as a user runs it: what `show --json` wrote, edited and
// applied, read back from the saved file; refusals that leave the model as it was;
// the schema of the form held against a real validator.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "examples/ms3d_writer.h"
#include "host/model_document.h"
#include "host/ms_model_handle.h"
#include "plugin/attributes/camera_record.h"
#include "plugin/attributes/follower_record.h"
#include "plugin/attributes/model_record.h"
#include "tests/support/ms3d_fixture.h"
#include "tests/support/quorvel_run.h"
#include "tests/support/random_comments.h"
#include "tests/tools/quorvel/random_models.h"

namespace quorvel::app {
namespace {

using quorvel::testing::CommandResult;
using quorvel::testing::ReadWholeFile;
using quorvel::testing::RunQuorvel;
using quorvel::testing::TempFolder;
using quorvel::testing::WriteWholeFile;
using ::testing::HasSubstr;
using Json = nlohmann::ordered_json;

constexpr const char kFleet[] = QUORVEL_SOURCE_DIR "/examples/fleet.ms3d";
constexpr const char kDebianModels[] = "/usr/share/assimp/models/MS3D";

// A file's bytes and its time of last change, to tell that it was not saved at all.
struct FileState {
  std::string bytes;
  ino_t inode = 0;
  struct timespec changed = {};

  static FileState Of(const std::string& path) {
    struct stat status = {};
    EXPECT_EQ(stat(path.c_str(), &status), 0) << path;
    return {ReadWholeFile(path), status.st_ino, status.st_mtim};
  }
  bool operator==(const FileState& other) const {
    return bytes == other.bytes && inode == other.inode && changed.tv_sec == other.changed.tv_sec &&
           changed.tv_nsec == other.changed.tv_nsec;
  }
};

class ApplyCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = folder_.File("fleet.ms3d");
    std::filesystem::copy_file(kFleet, path_);
  }

  Json Show(const std::string& path) {
    const CommandResult shown = RunQuorvel(folder_, "show --json " + path);
    EXPECT_EQ(shown.status, 0) << shown.err;
    return Json::parse(shown.out);
  }

  CommandResult Apply(const Json& edited, const std::string& options = "") {
    return ApplyText(edited.dump(2), options);
  }
  CommandResult ApplyText(const std::string& text, const std::string& options = "") {
    WriteWholeFile(folder_.File("edited.json"), text);
    return RunQuorvel(folder_,
                      "apply " + options + " " + path_ + " " + folder_.File("edited.json"));
  }

  std::vector<std::string> Comments() {
    const host::ModelDocument document = host::ModelDocument::Open(path_);
    const host::Model& model = document.Model();
    std::vector<std::string> comments = {std::string(model.comment.View())};
    for (const host::Joint& joint : model.joints) {
      comments.push_back(std::string(joint.comment.View()));
    }
    return comments;
  }

  TempFolder folder_;
  std::string path_;
};

// show --json piped into apply changes nothing and saves nothing: on the example, the
// Debian models, and models whose comments hold every hidden case the readers know.
TEST_F(ApplyCommandTest, RoundTripOfEveryModelSavesNothing) {
  std::vector<std::string> models = {path_};
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(kDebianModels, error)) {
    if (entry.path().extension() == ".ms3d") {
      models.push_back(folder_.File(entry.path().filename().string()));
      std::filesystem::copy_file(entry.path(), models.back());
    }
  }
  std::mt19937 random(28);
  for (int round = 0; round < 24; ++round) {
    std::string comment = round % 2 == 0 ? quorvel::testing::RandomComment(random)
                                         : quorvel::testing::InOrderComment(random);
    const examples::ModelFile file = quorvel::testing::RandomModelFile(random, std::move(comment));
    models.push_back(folder_.File("random" + std::to_string(round) + ".ms3d"));
    examples::SaveModelFile(file, models.back());
  }
  for (const std::string& model : models) {
    const FileState before = FileState::Of(model);
    // The form through a pipe, as a user would give it.
    const std::string quorvel = QUORVEL_BINARY_DIR "/bin/quorvel";
    const int raw = std::system((quorvel + " show --json " + model + " | " + quorvel + " apply " +
                                 model + " - >" + folder_.File("out") + " 2>&1")
                                    .c_str());
    EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0) << model << ": " << raw;
    EXPECT_THAT(ReadWholeFile(folder_.File("out")), HasSubstr(": no comment changed")) << model;
    EXPECT_TRUE(FileState::Of(model) == before) << model;
  }
}

// One edit of the JSON form, and the comments it must leave: each expected comment
// replaces the one of its place (0 the model, 1 + i joint i); all others stay.
struct SingleEdit {
  const char* name;
  std::function<void(Json&)> edit;
  std::vector<std::pair<std::size_t, std::string>> comments;
};

std::string FollowerComment(const std::string& type, const std::string& name,
                            const EventList& events) {
  std::string text;
  FollowerRecord{type, name, events}.SaveAttributes(text);
  return text;
}

std::vector<SingleEdit> SingleEdits() {
  const EventList fleetModelEvents = {
      "0|fadeSet|1",          "0|cameraCut|\"CAM_Main\"",   "30|wideScreenIn|.50",
      "30|cameraFadeIn|1.50", "150|cameraCut|\"CAM_Wide\"", "255|fadeTo|1 1.50"};
  EventList many;
  for (int i = 0; i < 10000; ++i) {
    many.push_back(std::to_string(i) + "|hide|");
  }
  std::string manyText;
  FollowerRecord{"ship", "Alpha", many}.SaveAttributes(manyText);
  return {
      {"FrameRate",
       [](Json& j) { j["model"]["frameRate"] = 25; },
       {{0,
         "OPT_FPS=25\r\nNum Events=6\r\nEvent0=0|fadeSet|1\r\nEvent1=0|cameraCut|\"CAM_Main\"\r\n"
         "Event2=30|wideScreenIn|.50\r\nEvent3=30|cameraFadeIn|1.50\r\n"
         "Event4=150|cameraCut|\"CAM_Wide\"\r\nEvent5=255|fadeTo|1 1.50\r\n"}}},
      {"FollowerTypeAndName",
       [](Json& j) {
         j["joints"][4]["record"]["sobGroupType"] = "frigate";
         j["joints"][4]["kind"] = "other";  // no longer a ship
         j["joints"][4]["record"]["sobGroupName"] = "Beta \xc3\xa9";
       },
       {{5, FollowerComment("frigate", "Beta \xe9",
                            {"10|attack|\"Mothership\"", "200|hyperspaceOut|"})}}},
      {"CameraCentreOfInterest",
       [](Json& j) { j["joints"][3]["record"]["centerOfInterest"] = "Mothership"; },
       {{4, "Center Of Interest=Mothership\r\nNum Events=0\r\n"}}},
      {"AddEvent",
       [](Json& j) { j["joints"][5]["record"]["events"].push_back("90|hyperspaceOut|"); },
       {{6, FollowerComment("ship", "Fleet", {"0|invincible|", "90|hyperspaceOut|"})}}},
      {"EditEvent",
       [](Json& j) { j["joints"][4]["record"]["events"][1] = "150|hyperspaceOut|"; },
       {{5, FollowerComment("ship", "Alpha", {"10|attack|\"Mothership\"", "150|hyperspaceOut|"})}}},
      {"RemoveEvent",
       [](Json& j) { j["model"]["events"].erase(2); },
       {{0,
         "OPT_FPS=30\r\nNum Events=5\r\nEvent0=0|fadeSet|1\r\nEvent1=0|cameraCut|\"CAM_Main\""
         "\r\nEvent2=30|cameraFadeIn|1.50\r\nEvent3=150|cameraCut|\"CAM_Wide\"\r\n"
         "Event4=255|fadeTo|1 1.50\r\n"}}},
      {"TenThousandEvents",
       [many](Json& j) { j["joints"][6]["record"]["events"] = many; },
       {{7, manyText}}},
      // Salvage1's comment is empty: its defaults stay absent keys.
      {"DefaultsStayAbsent",
       [](Json& j) { j["joints"][9]["record"]["events"] = {"5|hide|"}; },
       {{10, "Num Events=1\r\nEvent0=5|hide|\r\n"}}},
  };
}

TEST_F(ApplyCommandTest, EachSingleEditChangesExactlyItsComment) {
  for (const SingleEdit& edit : SingleEdits()) {
    SCOPED_TRACE(edit.name);
    std::filesystem::remove(path_);
    std::filesystem::copy_file(kFleet, path_);
    std::vector<std::string> expected = Comments();
    for (const auto& [place, comment] : edit.comments) {
      expected[place] = comment;
    }
    Json edited = Show(path_);
    edit.edit(edited);
    const CommandResult result = Apply(edited);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_THAT(result.out, HasSubstr(": saved; 1 comment changed"));
    EXPECT_EQ(Comments(), expected);
    // show --json reads back what was applied, but for the defaults it now finds.
    Json shown = Show(path_);
    Json wanted = edited;
    for (Json* record : {&shown["model"], &wanted["model"]}) {
      record->erase("defaults");
    }
    for (Json* joints : {&shown["joints"], &wanted["joints"]}) {
      for (Json& joint : *joints) {
        if (joint.contains("record")) {
          joint["record"].erase("defaults");
        }
      }
    }
    EXPECT_EQ(shown["model"], wanted["model"]);
    EXPECT_EQ(shown["joints"], wanted["joints"]);
  }
}

struct Refusal {
  const char* name;
  std::function<std::string(Json&)> edit;  // the text to apply
  const char* says;
};

std::vector<Refusal> Refusals() {
  const auto dump = [](Json& j) { return j.dump(2); };
  const auto then = [dump](std::function<void(Json&)> change) {
    return [dump, change](Json& j) {
      change(j);
      return dump(j);
    };
  };
  return {
      {"NotJson", [](Json&) { return std::string("{\n  \"model\": [1,\n  }\n"); },
       "line 3, column 3: not JSON"},
      {"NotTheForm", then([](Json& j) { j["model"]["frameRate"] = "30"; }),
       "model.frameRate: must be a number"},
      {"UnknownMember", then([](Json& j) { j["joints"][1]["colour"] = 1; }),
       "joints[1] \"CAM_Main\": has no member \"colour\""},
      {"UnknownJoint", then([](Json& j) { j["joints"][4]["name"] = "Figter1"; }),
       "joints[4] \"Figter1\": the model has no joint of this name (the nearest is "
       "\"Fighter1\")"},
      {"IndexDisagrees", then([](Json& j) { j["joints"][4]["index"] = 5; }),
       "joints[4] \"Fighter1\": index: joint 5 is \"Mothership\", not this one"},
      {"RecordOnSkippedJoint", then([](Json& j) {
         j["joints"][0]["record"] = {
             {"sobGroupType", "ship"}, {"sobGroupName", ""}, {"events", Json::array()}};
       }),
       "joints[0] \"ZU2_Root\": record: the joint is skipped"},
      {"FollowerRecordOnCamera", then([](Json& j) {
         j["joints"][1]["record"] = {
             {"sobGroupType", "ship"}, {"sobGroupName", ""}, {"events", Json::array()}};
       }),
       "joints[1] \"CAM_Main\": record: the joint is a camera"},
      {"BarInValue", then([](Json& j) { j["model"]["events"][2] = "30|subtitle|\"a|b\""; }),
       "model.events[2]: \"30|subtitle|\"a|b\"\" has a \"|\" in its value"},
      {"FrameNoNumber", then([](Json& j) { j["joints"][4]["record"]["events"][0] = "x|hide|"; }),
       "record.events[0]: \"x|hide|\" has a frame \"x\" that is no number"},
      {"FrameRateZero", then([](Json& j) { j["model"]["frameRate"] = 0; }),
       "model.frameRate: 0 lies outside 1 to 1000"},
      {"FrameRateTooHigh", then([](Json& j) { j["model"]["frameRate"] = 1001; }),
       "model.frameRate: 1001 lies outside 1 to 1000"},
      {"LineBreakInValue",
       then([](Json& j) { j["joints"][4]["record"]["sobGroupName"] = "A\r\nOPT_FPS=1"; }),
       "record.sobGroupName: holds a line break"},
      {"KeyInValue",
       then([](Json& j) { j["joints"][4]["record"]["sobGroupName"] = "see Event0 here"; }),
       "record.events[0]: would not read back the same"},
      {"BeyondLatin1",
       then([](Json& j) { j["joints"][3]["record"]["centerOfInterest"] = "\xe2\x82\xac"; }),
       "record.centerOfInterest: holds a character beyond U+00FF"},
  };
}

TEST_F(ApplyCommandTest, EachRefusalNamesThePlaceAndWritesNothing) {
  const Json shown = Show(path_);
  const FileState before = FileState::Of(path_);
  for (const Refusal& refusal : Refusals()) {
    SCOPED_TRACE(refusal.name);
    Json edited = shown;
    const CommandResult result = ApplyText(refusal.edit(edited));
    EXPECT_EQ(result.status, 4) << result.err;
    EXPECT_THAT(result.err, HasSubstr(refusal.says));
    EXPECT_THAT(result.err, HasSubstr("nothing was written"));
    EXPECT_TRUE(FileState::Of(path_) == before);
  }
}

TEST_F(ApplyCommandTest, CheckErrorsRefuseUnlessForced) {
  Json edited = Show(path_);
  edited["joints"][4]["record"]["events"][0] = "10|explode|";
  const FileState before = FileState::Of(path_);
  CommandResult result = Apply(edited);
  EXPECT_EQ(result.status, 6);
  EXPECT_THAT(result.err, HasSubstr("joint 4 \"Fighter1\": Event0: error:"));
  EXPECT_THAT(result.err, HasSubstr("[EVENT_UNKNOWN]"));
  EXPECT_THAT(result.err, HasSubstr("Add --force"));
  EXPECT_TRUE(FileState::Of(path_) == before);
  result = Apply(edited, "--force");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_THAT(Comments()[5], HasSubstr("Event0=10|explode|\r\n"));
}

TEST_F(ApplyCommandTest, DryRunShowsDiffsDroppedLinesAndFindingsAndWritesNothing) {
  // A line beyond the record, which the written record drops.
  msModel* model = msHost_OpenModel(path_.c_str());
  msBone_SetComment(msModel_GetBoneAt(model, 5),
                    "Sob Type=ship\r\nSob Name=Fleet\r\nNote=keep\r\nNum Events=1\r\n"
                    "Event0=0|invincible|\r\n");
  ASSERT_EQ(msHost_SaveModel(model), 0);
  msHost_FreeModel(model);
  Json edited = Show(path_);
  edited["joints"][5]["record"]["events"].push_back("400|hide|");
  const FileState before = FileState::Of(path_);
  const CommandResult result = Apply(edited, "--dry-run");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_THAT(
      result.out,
      HasSubstr("--- " + path_ + ": joint 5 \"Mothership\"\n+++ " + path_ +
                ": joint 5 \"Mothership\" (applied)\n"
                "@@ -1,5 +1,5 @@\n"
                " Sob Type=ship\\r\\n\n"
                " Sob Name=Fleet\\r\\n\n"
                "-Note=keep\\r\\n\n"
                "-Num Events=1\\r\\n\n"
                "+Num Events=2\\r\\n\n"
                " Event0=0|invincible|\\r\\n\n"
                "+Event1=400|hide|\\r\\n\n" +
                path_ +
                ": joint 5 \"Mothership\": the record written drops the line \"Note=keep\", "
                "which its comment held beyond the record\n" +
                path_ +
                ": joint 5 \"Mothership\": Event1: warning: frame 400 lies past the "
                "animation's last frame 300 [EVENT_PAST_END]\n" +
                path_ + ": dry run: 1 comment would change; nothing was written\n"));
  EXPECT_TRUE(FileState::Of(path_) == before);
}

TEST_F(ApplyCommandTest, ConcurrentEditHoldingTheLock) {
  Json edited = Show(path_);
  edited["model"]["frameRate"] = 25;
  const int held = open(path_.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(flock(held, LOCK_EX), 0);
  const FileState before = FileState::Of(path_);
  CommandResult result = Apply(edited);
  EXPECT_EQ(result.status, 2);
  EXPECT_THAT(result.err, HasSubstr(path_ + ": process " + std::to_string(getpid()) + " ("));
  EXPECT_TRUE(FileState::Of(path_) == before);
  std::thread release([this, held] {
    for (int tries = 0; tries < 3000; ++tries) {
      if (ReadWholeFile(folder_.File("stderr")).find(": waiting for") != std::string::npos) {
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    close(held);
  });
  result = Apply(edited, "--wait-lock");
  release.join();
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_THAT(Comments()[0], HasSubstr("OPT_FPS=25\r\n"));
}

}  // namespace
}  // namespace quorvel::app
