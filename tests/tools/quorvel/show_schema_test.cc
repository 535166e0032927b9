// The JSON form of `quorvel show --json` and `quorvel apply` against its schema,
// docs/show.schema.json, checked by a real validator (Debian's python3-jsonschema):
// every model the tests have is shown valid, and the schema and apply agree on
// which files are refused.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "examples/ms3d_writer.h"
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
using Json = nlohmann::ordered_json;

constexpr const char kSchema[] = QUORVEL_SOURCE_DIR "/docs/show.schema.json";

// The validator's verdict on each file, in order: "valid" or "invalid: ...".
std::vector<std::string> Validate(const TempFolder& folder, const std::vector<std::string>& files) {
  std::string command =
      "/usr/bin/python3 " QUORVEL_SOURCE_DIR "/tests/tools/quorvel/validate_json.py ";
  command += kSchema;
  for (const std::string& file : files) {
    command += " " + file;
  }
  command += " >" + folder.File("verdicts") + " 2>" + folder.File("validator.err");
  EXPECT_EQ(std::system(command.c_str()), 0) << ReadWholeFile(folder.File("validator.err"));
  std::vector<std::string> verdicts;
  std::istringstream lines(ReadWholeFile(folder.File("verdicts")));
  for (std::string line; std::getline(lines, line);) {
    verdicts.push_back(line);
  }
  EXPECT_EQ(verdicts.size(), files.size());
  verdicts.resize(files.size());
  return verdicts;
}

TEST(ShowSchemaTest, ShowOfEveryTestModelIsValid) {
  TempFolder folder;
  std::vector<std::string> models = {QUORVEL_SOURCE_DIR "/examples/fleet.ms3d"};
  std::error_code error;
  for (const auto& entry :
       std::filesystem::directory_iterator("/usr/share/assimp/models/MS3D", error)) {
    if (entry.path().extension() == ".ms3d") {
      models.push_back(entry.path().string());
    }
  }
  std::mt19937 random(2020);
  for (int round = 0; round < 16; ++round) {
    std::string comment = quorvel::testing::RandomComment(random);
    const examples::ModelFile file = quorvel::testing::RandomModelFile(random, std::move(comment));
    models.push_back(folder.File("random" + std::to_string(round) + ".ms3d"));
    examples::SaveModelFile(file, models.back());
  }
  std::vector<std::string> shown;
  for (std::size_t i = 0; i < models.size(); ++i) {
    const CommandResult result = RunQuorvel(folder, "show --json " + models[i]);
    ASSERT_EQ(result.status, 0) << models[i] << ": " << result.err;
    shown.push_back(folder.File("shown" + std::to_string(i) + ".json"));
    WriteWholeFile(shown.back(), result.out);
  }
  const std::vector<std::string> verdicts = Validate(folder, shown);
  for (std::size_t i = 0; i < models.size(); ++i) {
    EXPECT_EQ(verdicts[i], "valid") << models[i];
  }
}

// A change to the example's form, made as a text: most are broken, some are only
// unusual, and the schema and apply must say the same of each.
struct FormCase {
  const char* name;
  std::function<std::string(Json)> text;
  bool valid;
};

std::function<std::string(Json)> Edit(std::function<void(Json&)> change) {
  return [change](Json json) {
    change(json);
    return json.dump(2);
  };
}

std::vector<FormCase> FormCases() {
  const Json follower = {
      {"sobGroupType", "ship"}, {"sobGroupName", "x"}, {"events", Json::array()}};
  return {
      {"NotJson", [](Json) { return std::string("{\"model\": "); }, false},
      {"NotAnObject", [](Json) { return std::string("[]"); }, false},
      {"NoModel", Edit([](Json& j) { j.erase("model"); }), false},
      {"NoJoints", Edit([](Json& j) { j.erase("joints"); }), false},
      {"UnknownMember", Edit([](Json& j) { j["extra"] = 1; }), false},
      {"OtherSchema", Edit([](Json& j) { j["$schema"] = "urn:other"; }), false},
      {"FileNotText", Edit([](Json& j) { j["file"] = 3; }), false},
      {"NoFrameRate", Edit([](Json& j) { j["model"].erase("frameRate"); }), false},
      {"FrameRateText", Edit([](Json& j) { j["model"]["frameRate"] = "30"; }), false},
      {"FrameRateNegative", Edit([](Json& j) { j["model"]["frameRate"] = -1; }), false},
      {"FrameRateFraction", Edit([](Json& j) { j["model"]["frameRate"] = 30.5; }), false},
      {"FrameRateTooLarge", Edit([](Json& j) { j["model"]["frameRate"] = 4294967296u; }), false},
      {"EventsNotAList", Edit([](Json& j) { j["model"]["events"] = "0|hide|"; }), false},
      {"EventNotText", Edit([](Json& j) { j["model"]["events"][0] = 5; }), false},
      {"EventWithCr", Edit([](Json& j) { j["model"]["events"][0] = "0|hide|\r"; }), false},
      {"EventWithNul", Edit([](Json& j) { j["model"]["events"][0] = std::string("0|a\0|", 5); }),
       false},
      {"EventBeyondLatin1", Edit([](Json& j) { j["model"]["events"][0] = "0|\xc4\x80|"; }), false},
      {"JointsNotAList", Edit([](Json& j) { j["joints"] = Json::object(); }), false},
      {"JointWithoutName", Edit([](Json& j) { j["joints"][4].erase("name"); }), false},
      {"JointUnknownMember", Edit([](Json& j) { j["joints"][4]["colour"] = "red"; }), false},
      {"NameBeyondLatin1", Edit([](Json& j) { j["joints"][4]["name"] = "\xe2\x82\xac"; }), false},
      {"IndexNegative", Edit([](Json& j) { j["joints"][4]["index"] = -1; }), false},
      {"IndexTooLarge", Edit([](Json& j) { j["joints"][4]["index"] = 70000; }), false},
      {"UnknownKind", Edit([](Json& j) { j["joints"][4]["kind"] = "frigate"; }), false},
      {"MarkedNotBoolean", Edit([](Json& j) { j["joints"][4]["marked"] = "yes"; }), false},
      {"EmptyRecord", Edit([](Json& j) { j["joints"][4]["record"] = Json::object(); }), false},
      {"MixedRecord",
       Edit([](Json& j) { j["joints"][4]["record"]["centerOfInterest"] = "Mothership"; }), false},
      {"FollowerWithoutName", Edit([](Json& j) { j["joints"][4]["record"].erase("sobGroupName"); }),
       false},
      {"DefaultsNotAList", Edit([](Json& j) { j["model"]["defaults"] = "frameRate"; }), false},
      {"DefaultOfNoValue", Edit([](Json& j) { j["model"]["defaults"] = {"sobGroupType"}; }), false},
      {"DefaultEventWithZero",
       Edit([](Json& j) { j["joints"][4]["record"]["defaults"] = {"events/01"}; }), false},
      // Valid, and applied.
      {"AsShown", Edit([](Json&) {}), true},
      {"OnlyModelAndJoints", Edit([](Json& j) {
         j.erase("$schema");
         j.erase("file");
         j.erase("plugIn");
       }),
       true},
      {"JointsByNameAlone", Edit([](Json& j) {
         for (Json& joint : j["joints"]) {
           joint.erase("index");
           joint.erase("kind");
           joint.erase("marked");
         }
       }),
       true},
      {"WholeNumberAsFraction", Edit([](Json& j) { j["model"]["frameRate"] = 25.0; }), true},
      {"DefaultsListed", Edit([follower](Json& j) {
         j["joints"][9]["record"] = follower;
         j["joints"][9]["record"]["defaults"] = {"sobGroupType", "events", "events/3"};
       }),
       true},
  };
}

TEST(ShowSchemaTest, SchemaAndApplyRefuseTheSameFiles) {
  TempFolder folder;
  const std::string model = folder.File("fleet.ms3d");
  const CommandResult shown =
      RunQuorvel(folder, "show --json " QUORVEL_SOURCE_DIR "/examples/fleet.ms3d");
  ASSERT_EQ(shown.status, 0) << shown.err;
  const Json fleet = Json::parse(shown.out);
  const std::vector<FormCase> cases = FormCases();
  std::vector<std::string> files;
  for (const FormCase& form : cases) {
    files.push_back(folder.File(std::string(form.name) + ".json"));
    WriteWholeFile(files.back(), form.text(fleet));
  }
  const std::vector<std::string> verdicts = Validate(folder, files);
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(cases[i].name);
    std::filesystem::remove(model);
    std::filesystem::copy_file(QUORVEL_SOURCE_DIR "/examples/fleet.ms3d", model);
    const CommandResult applied = RunQuorvel(folder, "apply " + model + " " + files[i]);
    if (cases[i].valid) {
      EXPECT_EQ(verdicts[i], "valid");
      EXPECT_EQ(applied.status, 0) << applied.err;
    } else {
      EXPECT_THAT(verdicts[i], ::testing::StartsWith("invalid: "));
      EXPECT_EQ(applied.status, 4) << applied.out;
      EXPECT_THAT(applied.err, ::testing::HasSubstr("nothing was written"));
    }
  }
}

}  // namespace
}  // namespace quorvel::app
