#include "tools/quorvel/mark_choice.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/ms_model_handle.h"
#include "tools/quorvel/command_error.h"

namespace quorvel::app {
namespace {

using ::testing::ElementsAre;

TEST(MarkChoiceTest, Parses) {
  struct Case {
    const char* text;
    MarkChoice::Kind kind;
    std::vector<std::string> names;
  } cases[] = {
      {"all", MarkChoice::Kind::kAll, {}},
      {"selected", MarkChoice::Kind::kSelected, {}},
      {"CAM_Main", MarkChoice::Kind::kNames, {"CAM_Main"}},
      {"CAM_Main,Fighter 1", MarkChoice::Kind::kNames, {"CAM_Main", "Fighter 1"}},
      {"names:all,selected", MarkChoice::Kind::kNames, {"all", "selected"}},
      {"names:names:x", MarkChoice::Kind::kNames, {"names:x"}},
      {"All", MarkChoice::Kind::kNames, {"All"}},  // names are compared exactly
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const MarkChoice choice = ParseMarkChoice(c.text);
    EXPECT_EQ(choice.kind, c.kind);
    EXPECT_EQ(choice.names, c.names);
  }
  for (const char* bad : {"", "names:", "a,", ",a", "a,,b"}) {
    SCOPED_TRACE(bad);
    EXPECT_THROW(ParseMarkChoice(bad), CommandError);
  }
}

class ApplyMarkChoiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host::Model model;
    model.joints = {{"CAM_Main", 1, ""},
                    {"Rock", 0, ""},
                    {"Rock", 2, ""},
                    {"Wing", 3, ""},
                    {"J\xe4ger", 0, ""}};
    model_ = host::AdoptDocument(host::ModelDocument(model));
  }
  void TearDown() override { msHost_FreeModel(model_); }

  std::vector<unsigned int> Reported() const {
    std::vector<unsigned int> flags;
    for (int i = 0; i < msModel_GetBoneCount(model_); ++i) {
      flags.push_back(msBone_GetFlags(msModel_GetBoneAt(model_, i)));
    }
    return flags;
  }

  msModel* model_ = nullptr;
};

TEST_F(ApplyMarkChoiceTest, ReportsTheChoiceKeepingTheOtherBits) {
  ApplyMarkChoice(ParseMarkChoice("selected"), model_, "m.ms3d");
  EXPECT_THAT(Reported(), ElementsAre(1u, 0u, 2u, 3u, 0u));
  ApplyMarkChoice(ParseMarkChoice("all"), model_, "m.ms3d");
  EXPECT_THAT(Reported(), ElementsAre(1u, 1u, 3u, 3u, 1u));
  // Every joint of a listed name, and nothing else.
  ApplyMarkChoice(ParseMarkChoice("Rock"), model_, "m.ms3d");
  EXPECT_THAT(Reported(), ElementsAre(0u, 1u, 3u, 2u, 0u));
  // An 8-bit name is typed as show prints it, in UTF-8; its own byte works too.
  ApplyMarkChoice(ParseMarkChoice("J\xc3\xa4ger"), model_, "m.ms3d");
  EXPECT_THAT(Reported(), ElementsAre(0u, 0u, 2u, 2u, 1u));
  ApplyMarkChoice(ParseMarkChoice("J\xe4ger"), model_, "m.ms3d");
  EXPECT_THAT(Reported(), ElementsAre(0u, 0u, 2u, 2u, 1u));
  // The stored flags stay as they are.
  EXPECT_EQ(host::DocumentOf(model_)->Model().joints[3].flags, 3u);
}

TEST_F(ApplyMarkChoiceTest, ANameOfNoJointIsAnError) {
  try {
    ApplyMarkChoice(ParseMarkChoice("Rock,rock"), model_, "m.ms3d");
    FAIL() << "no error";
  } catch (const CommandError& error) {
    EXPECT_EQ(error.ExitStatus(), kExitUsage);
    // The joint whose name differs only in case is suggested.
    EXPECT_STREQ(error.what(),
                 "--mark: m.ms3d has no joint named \"rock\"; did you mean \"Rock\"? (names are "
                 "compared with their case)");
  }
  // One letter off, by the rule that check suggests names by.
  try {
    ApplyMarkChoice(ParseMarkChoice("CAM_Mian"), model_, "m.ms3d");
    FAIL() << "no error";
  } catch (const CommandError& error) {
    EXPECT_STREQ(error.what(),
                 "--mark: m.ms3d has no joint named \"CAM_Mian\"; did you mean \"CAM_Main\"?");
  }
  // Named as typed, not encoded a second time.
  try {
    ApplyMarkChoice(ParseMarkChoice("J\xc3\xa9ger"), model_, "m.ms3d");
    FAIL() << "no error";
  } catch (const CommandError& error) {
    EXPECT_STREQ(error.what(), "--mark: m.ms3d has no joint named \"J\xc3\xa9ger\"");
  }
}

// Joints the editor leaves out by name are marked as asked, with a warning each.
TEST(ApplyMarkChoiceWarningTest, NamesJointsThatNeverGetAPage) {
  host::Model model;
  model.joints = {{"ZU2_Root", 0, ""}, {"IG_Helper", 0, ""}, {"Fighter1", 0, ""}};
  msModel* handle = host::AdoptDocument(host::ModelDocument(model));
  EXPECT_THAT(ApplyMarkChoice(ParseMarkChoice("Fighter1"), handle, "m.ms3d"), ::testing::IsEmpty());
  EXPECT_THAT(ApplyMarkChoice(ParseMarkChoice("all"), handle, "m.ms3d"), ::testing::IsEmpty());
  const std::vector<std::string> warnings =
      ApplyMarkChoice(ParseMarkChoice("IG_Helper,Fighter1,ZU2_Root"), handle, "m.ms3d");
  ASSERT_EQ(warnings.size(), 2u);
  EXPECT_THAT(warnings[0], ::testing::StartsWith("--mark: \"IG_Helper\" never gets a page"));
  EXPECT_THAT(warnings[1], ::testing::StartsWith("--mark: \"ZU2_Root\" never gets a page"));
  EXPECT_EQ(msBone_GetFlags(msModel_GetBoneAt(handle, 1)), 1u);
  msHost_FreeModel(handle);
}

}  // namespace
}  // namespace quorvel::app
