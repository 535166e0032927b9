#include "tools/check/model_check.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>

#include "tests/support/ms3d_fixture.h"
#include "tests/tools/check/check_fixture.h"

namespace quorvel::check {
namespace {

using quorvel::testing::CheckInMemory;
using quorvel::testing::CleanModel;
using quorvel::testing::FollowerComment;

constexpr int kModel = -1;
constexpr int kCamera = 1;
constexpr int kFighter = 2;
constexpr int kRock = 4;

// One way to break a rule: what is changed in the clean model, and the code that
// must then be reported at this joint (kModel: the model comment) and key.
struct Breach {
  std::string_view code;
  int joint;
  std::string key;
  std::function<void(host::Model&)> change;
};

void SetFighterEvents(host::Model& model, const std::vector<std::string>& events) {
  model.joints[kFighter].comment = FollowerComment("ship", "Alpha", events);
}

std::string ManyEvents(int count) {
  std::vector<std::string> events(static_cast<std::size_t>(count), "20|setEnginePower|100");
  return FollowerComment("ship", "Alpha", events);
}

const std::vector<Breach>& Breaches() {
  static const std::vector<Breach> breaches = {
      {"COMMENT_TOO_LONG", kFighter, "",
       [](host::Model& m) { m.joints[kFighter].comment = ManyEvents(60); }},
      {"KEY_SHADOWED", kFighter, "Event0",
       [](host::Model& m) {
         m.joints[kFighter].comment = FollowerComment("ship", "Event0", {"20|hide|"});
       }},
      // Keys in an order of the user's own: this load is right, the next save is not.
      {"KEY_SHADOWED", kFighter, "Event0",
       [](host::Model& m) {
         m.joints[kFighter].comment =
             "Num Events=1\r\nEvent0=20|hide|\r\nSob Type=ship\r\n"
             "Sob Name=Event0\r\n";
       }},
      {"KEY_SHADOWED", kModel, "Num Events",
       [](host::Model& m) { m.comment = "OPT_FPS=30Num Events=5\r\nNum Events=0\r\n"; }},
      {"KEY_DUPLICATED", kFighter, "Event0",
       [](host::Model& m) { m.joints[kFighter].comment += "Event0=25|show|\r\n"; }},
      {"EVENT_LINE_MISSING", kCamera, "Num Events",
       [](host::Model& m) {
         m.joints[kCamera].comment =
             "Center Of Interest=Fighter1\r\nNum Events=3\r\n"
             "Event0=10|hide|\r\n";
       }},
      {"EVENT_LINE_UNCOUNTED", kCamera, "Num Events",
       [](host::Model& m) { m.joints[kCamera].comment += "Event1=12|show|\r\n"; }},
      {"LINE_NOT_A_KEY", kModel, "", [](host::Model& m) { m.comment += "Note=keep this\r\n"; }},
      {"LINE_NOT_A_KEY", kCamera, "",
       [](host::Model& m) { m.joints[kCamera].comment += "Sob Type=ship\r\n"; }},
      {"NOT_A_RECORD", kFighter, "",
       [](host::Model& m) { m.joints[kFighter].comment = "rigged by hand, do not touch"; }},
      {"NOT_A_RECORD", kModel, "", [](host::Model& m) { m.comment = "made for the demo"; }},
      {"FRAME_RATE_MISSING", kModel, "OPT_FPS",
       [](host::Model& m) { m.comment = "Num Events=0\r\n"; }},
      {"FRAME_RATE_NOT_WHOLE", kModel, "OPT_FPS",
       [](host::Model& m) { m.comment = "OPT_FPS=29.97\r\nNum Events=0\r\n"; }},
      {"FRAME_RATE_OUT_OF_RANGE", kModel, "OPT_FPS",
       [](host::Model& m) { m.comment = "OPT_FPS=1001\r\nNum Events=0\r\n"; }},
      {"FRAME_RATE_OUT_OF_RANGE", kModel, "OPT_FPS",
       [](host::Model& m) { m.comment = "OPT_FPS= 30\r\nNum Events=0\r\n"; }},
      {"EVENT_MALFORMED", kFighter, "Event0",
       [](host::Model& m) { SetFighterEvents(m, {"20 hide"}); }},
      {"EVENT_FRAME_MISSING", kFighter, "Event0",
       [](host::Model& m) { SetFighterEvents(m, {"|hide|"}); }},
      {"EVENT_FRAME_NOT_WHOLE", kFighter, "Event0",
       [](host::Model& m) { SetFighterEvents(m, {"7.9|hide|"}); }},
      {"EVENT_PAST_END", kFighter, "Event0",
       [](host::Model& m) { SetFighterEvents(m, {"301|hide|"}); }},
      {"EVENTS_OUT_OF_ORDER", kFighter, "Event1",
       [](host::Model& m) {
         SetFighterEvents(m, {"20|hide|", "5|show|"});
       }},
      {"EVENT_UNKNOWN", kFighter, "Event0",
       [](host::Model& m) { SetFighterEvents(m, {"20|explode|"}); }},
      {"EVENT_NAME_CASE", kFighter, "Event0",
       [](host::Model& m) { SetFighterEvents(m, {"20|Hide|"}); }},
      {"EVENT_WRONG_LEVEL", kModel, "Event1",
       [](host::Model& m) {
         m.comment =
             "OPT_FPS=30\r\nNum Events=2\r\nEvent0=0|cameraCut|\"CAM_Main\"\r\nEvent1=5|hide|\r\n";
       }},
      {"EVENT_WRONG_LEVEL", kFighter, "Event0",
       [](host::Model& m) { SetFighterEvents(m, {"20|cameraLeave|"}); }},
      {"VALUE_HAS_BAR", kFighter, "Event0",
       [](host::Model& m) { SetFighterEvents(m, {"20|death|\"big|slow\""}); }},
      {"VALUE_NOT_EMPTY", kFighter, "Event0",
       [](host::Model& m) { SetFighterEvents(m, {"20|hide|now"}); }},
      {"VALUE_NOT_NUMBER", kFighter, "Event0",
       [](host::Model& m) { SetFighterEvents(m, {"20|health|\"Mother\""}); }},
      {"VALUE_NOT_NUMBER", kFighter, "Event0",
       [](host::Model& m) { SetFighterEvents(m, {"20|health|"}); }},
      {"VALUE_NEGATIVE", kFighter, "Event0",
       [](host::Model& m) { SetFighterEvents(m, {"20|health|-1"}); }},
      {"VALUE_NOT_QUOTED", kFighter, "Event0",
       [](host::Model& m) { SetFighterEvents(m, {"20|attack|Mother"}); }},
      {"VALUE_NOT_QUOTED", kFighter, "Event0",
       [](host::Model& m) { SetFighterEvents(m, {"20|death|\""}); }},
      {"OBJECT_UNKNOWN", kFighter, "Event0",
       [](host::Model& m) { SetFighterEvents(m, {"20|attack|\"mother\""}); }},
      {"OBJECT_UNKNOWN", kFighter, "Event0",
       [](host::Model& m) { SetFighterEvents(m, {"20|attack|\"\""}); }},
      // The root is no object: the session leaves it out of every list.
      {"OBJECT_UNKNOWN", kFighter, "Event0",
       [](host::Model& m) { SetFighterEvents(m, {"20|attack|\"ZU2_Root\""}); }},
      {"CAMERA_CUT_NOT_CAMERA", kModel, "Event0",
       [](host::Model& m) {
         m.comment = "OPT_FPS=30\r\nNum Events=1\r\nEvent0=0|cameraCut|\"Mother\"\r\n";
       }},
      {"ATTACK_NOT_SHIP", kFighter, "Event0",
       [](host::Model& m) { SetFighterEvents(m, {"20|attack|\"Rock\""}); }},
      {"FILE_OUTSIDE_GAME", kModel, "Event0",
       [](host::Model& m) {
         m.comment = "OPT_FPS=30\r\nNum Events=1\r\nEvent0=0|soundEvent|\"C:\\sfx\\boom.wav\"\r\n";
       }},
      {"JOINT_NAME_DUPLICATE", kRock, "", [](host::Model& m) { m.joints[kRock].name = "Mother"; }},
      {"JOINT_NAME_TOO_LONG", kRock, "",
       [](host::Model& m) { m.joints[kRock].name = "Rock_" + std::string(30, 'x'); }},
      {"RECORD_ON_SKIPPED_JOINT", 0, "",
       [](host::Model& m) { m.joints[0].comment = "Sob Type=ship\r\n"; }},
      {"CENTER_OF_INTEREST_UNKNOWN", kCamera, "Center Of Interest",
       [](host::Model& m) {
         m.joints[kCamera].comment = "Center Of Interest=Fighter\r\nNum Events=0\r\n";
       }},
      {"SOB_TYPE_EMPTY", kRock, "Sob Type",
       [](host::Model& m) { m.joints[kRock].comment = FollowerComment("", "", {}); }},
      {"SOB_TYPE_CASE", kRock, "Sob Type",
       [](host::Model& m) { m.joints[kRock].comment = FollowerComment("Ship", "", {}); }},
      {"SOB_TYPE_CASE", kRock, "Sob Type",
       [](host::Model& m) { m.joints[kRock].comment = FollowerComment("asteroid ", "", {}); }},
      {"SOB_TYPE_UNUSUAL", kRock, "Sob Type",
       [](host::Model& m) { m.joints[kRock].comment = FollowerComment("Destroyer", "", {}); }},
  };
  return breaches;
}

std::string Describe(const ProblemList& problems) {
  std::string text;
  for (const Problem& problem : problems) {
    text += std::string(problem.code) + " at " + std::to_string(problem.place.joint) + "/" +
            problem.place.key + ": " + problem.message + "\n";
  }
  return text;
}

TEST(ModelCheckTest, CleanModelIsSilent) {
  EXPECT_EQ(Describe(CheckInMemory(CleanModel())), "");
}

TEST(ModelCheckTest, EachBreachReportsItsCodeAtItsPlace) {
  for (const Breach& breach : Breaches()) {
    host::Model model = CleanModel();
    breach.change(model);
    const ProblemList problems = CheckInMemory(model);
    const bool found = std::any_of(problems.begin(), problems.end(), [&](const Problem& p) {
      return p.code == breach.code && p.place.joint == breach.joint && p.place.key == breach.key;
    });
    EXPECT_TRUE(found) << breach.code << " expected at " << breach.joint << "/" << breach.key
                       << ", got:\n"
                       << Describe(problems);
    for (const Problem& problem : problems) {
      EXPECT_EQ(problem.severity, FindProblemCode(problem.code).severity);
      EXPECT_FALSE(problem.message.empty());
    }
  }
}

TEST(ModelCheckTest, EveryCodeHasABreach) {
  std::set<std::string_view> tested = {"FILE_MISSING"};  // needs a game folder, below
  for (const Breach& breach : Breaches()) {
    tested.insert(breach.code);
  }
  for (const ProblemCode& code : ProblemCodes()) {
    EXPECT_TRUE(tested.contains(code.code)) << code.code;
  }
}

// The last frame is a frame of the animation: a final fade may lie on it.
TEST(ModelCheckTest, EventsUpToTheLastFrameAreInsideTheAnimation) {
  const std::pair<const char*, bool> cases[] = {
      {"0|hide|", false}, {"299|hide|", false}, {"300|hide|", false}, {"301|hide|", true}};
  for (const auto& [event, pastEnd] : cases) {
    SCOPED_TRACE(event);
    host::Model model = CleanModel();
    ASSERT_EQ(model.totalFrames, 300);
    SetFighterEvents(model, {event});
    const ProblemList problems = CheckInMemory(model);
    EXPECT_EQ(Describe(problems).empty(), !pastEnd) << Describe(problems);
    if (pastEnd) {
      ASSERT_EQ(problems.size(), 1u) << Describe(problems);
      EXPECT_EQ(problems[0].code, "EVENT_PAST_END");
    }
  }
}

TEST(ModelCheckTest, FilesAreLookedForBelowTheGameFolderIgnoringCase) {
  quorvel::testing::TempFolder game;
  std::filesystem::create_directories(game.File("Data/Sound/SFX/Explode"));
  quorvel::testing::WriteWholeFile(game.File("Data/Sound/SFX/Explode/Big.WAV"), "RIFF");
  host::Model model = CleanModel();
  model.comment =
      "OPT_FPS=30\r\nNum Events=2\r\nEvent0=0|soundEvent|\"explode\\big.wav\"\r\n"
      "Event1=5|soundEvent|\"explode\\small.wav\"\r\n";
  const ProblemList problems = CheckInMemory(model, {game.Path()});
  ASSERT_EQ(problems.size(), 1u) << Describe(problems);
  EXPECT_EQ(problems[0].code, "FILE_MISSING");
  EXPECT_EQ(problems[0].place.key, "Event1");
  // Without a game folder, files are not looked for.
  EXPECT_EQ(Describe(CheckInMemory(model)), "");
}

TEST(ModelCheckTest, UnmarkedJointWithTextThatIsNoRecordIsLeftAlone) {
  host::Model model = CleanModel();
  model.joints[kRock].comment = "rigged by hand";
  EXPECT_EQ(Describe(CheckInMemory(model)), "");
}

TEST(ModelCheckTest, MessagesSayWhatTheSystemWillDo) {
  host::Model model = CleanModel();
  model.joints[kFighter].comment = FollowerComment("ship", "Event1", {"20|hide|", "25|show|"});
  const ProblemList problems = CheckInMemory(model);
  ASSERT_EQ(problems.size(), 1u) << Describe(problems);
  EXPECT_EQ(problems[0].message,
            "the key is found first inside the line \"Sob Name=Event1\", so a load reads \"\" "
            "instead of \"25|show|\"");

  model = CleanModel();
  model.joints[kCamera].comment =
      "Center Of Interest=Fighter1\r\nNum Events=12\r\nEvent0=1|hide|\r\n"
      "Event5=2|hide|\r\n";
  const ProblemList missing = CheckInMemory(model);
  ASSERT_EQ(missing.size(), 1u) << Describe(missing);
  EXPECT_EQ(missing[0].message,
            "\"Num Events\" is \"12\" but event 1 to 4 and 6 to 11 have no line; they load as "
            "empty events");
}

// Where a name is unknown the message says which one was likely meant, and where a
// value lacks its quotes what the event takes; each change gives exactly one problem.
TEST(ModelCheckTest, MessagesSayHowToFixIt) {
  const struct {
    std::string name;
    std::function<void(host::Model&)> change;
    std::string_view code;
    std::string message;
  } cases[] = {
      {"event one letter off",
       [](host::Model& m) {
         m.comment = "OPT_FPS=30\r\nNum Events=1\r\nEvent0=0|cameraCat|\"CAM_Main\"\r\n";
       },
       "EVENT_UNKNOWN",
       "\"cameraCat\" is not one of the model's events; did you mean \"cameraCut\"?; the Event "
       "Editor opens it on the first event type, and OK writes that name"},
      {"event far from any", [](host::Model& m) { SetFighterEvents(m, {"20|explode|"}); },
       "EVENT_UNKNOWN",
       "\"explode\" is not one of a joint's events; the Event Editor opens it on the first event "
       "type, and OK writes that name"},
      {"object one letter off",
       [](host::Model& m) { SetFighterEvents(m, {"20|attack|\"Mothers\""}); }, "OBJECT_UNKNOWN",
       "\"Mothers\" names no joint of the model; did you mean \"Mother\"?"},
      {"object in another case",
       [](host::Model& m) { SetFighterEvents(m, {"20|attack|\"mother\""}); }, "OBJECT_UNKNOWN",
       "\"mother\" names no joint of the model; names are case-sensitive: \"Mother\"?"},
      {"centre of interest one letter short",
       [](host::Model& m) {
         m.joints[kCamera].comment = "Center Of Interest=Fighter\r\nNum Events=0\r\n";
       },
       "CENTER_OF_INTEREST_UNKNOWN",
       "\"Fighter\" names no joint of the model; did you mean \"Fighter1\"?; the Cameras page "
       "shows no choice and keeps it only while it is not changed"},
      {"follower type one letter short",
       [](host::Model& m) { m.joints[kRock].comment = FollowerComment("salvag", "", {}); },
       "SOB_TYPE_UNUSUAL",
       "\"salvag\" is not one of the Followers page's types; did you mean \"salvage\"?; it is kept "
       "as typed"},
      {"object value without quotes", [](host::Model& m) { SetFighterEvents(m, {"20|attack|"}); },
       "VALUE_NOT_QUOTED",
       "the value \"\" of \"attack\" is not between double quotes: \"attack\" takes a joint name "
       "(an object value)"},
      {"camera cut without quotes",
       [](host::Model& m) {
         m.comment = "OPT_FPS=30\r\nNum Events=1\r\nEvent0=0|cameraCut|CAM_Main\r\n";
       },
       "VALUE_NOT_QUOTED",
       "the value \"CAM_Main\" of \"cameraCut\" is not between double quotes: \"cameraCut\" takes "
       "the name of a camera joint (an object value)"},
      {"text without quotes", [](host::Model& m) { SetFighterEvents(m, {"20|death|big"}); },
       "VALUE_NOT_QUOTED",
       "the value \"big\" of \"death\" is not between double quotes: \"death\" takes a text (a "
       "text value)"},
      {"file without quotes",
       [](host::Model& m) {
         m.comment = "OPT_FPS=30\r\nNum Events=1\r\nEvent0=0|soundEvent|boom.wav\r\n";
       },
       "VALUE_NOT_QUOTED",
       "the value \"boom.wav\" of \"soundEvent\" is not between double quotes: \"soundEvent\" "
       "takes the path of a file below the game's folder \"\\data\\sound\\sfx\\\" (a file value)"},
      // One fault, one problem: the rate reads as 0, which the page refuses.
      {"frame rate 0 and a blank",
       [](host::Model& m) { m.comment = "OPT_FPS=0 \r\nNum Events=0\r\n"; },
       "FRAME_RATE_OUT_OF_RANGE",
       "the frame rate \"0 \" reads as 0; the NIS Attributes page refuses OK until it lies "
       "between 1 and 1000"},
      {"frame rate 30 and a blank",
       [](host::Model& m) { m.comment = "OPT_FPS=30 \r\nNum Events=0\r\n"; },
       "FRAME_RATE_NOT_WHOLE", "the frame rate \"30 \" is not a whole number; it reads as 30"},
  };
  for (const auto& c : cases) {
    host::Model model = CleanModel();
    c.change(model);
    const ProblemList problems = CheckInMemory(model);
    ASSERT_EQ(problems.size(), 1u) << c.name << ":\n" << Describe(problems);
    EXPECT_EQ(problems[0].code, c.code) << c.name;
    EXPECT_EQ(problems[0].message, c.message) << c.name;
  }
}

// A record of more events than a load honours for a corrupt count is loaded whole
// by the plug-in, so its lines are counted: only its length is worth a word.
TEST(ModelCheckTest, EventsPastTenThousandAreCountedAsTheLoaderCountsThem) {
  host::Model model = CleanModel();
  std::vector<std::string> events(20000, "20|hide|");
  model.joints[kFighter].comment = FollowerComment("ship", "Alpha", events);
  const ProblemList problems = CheckInMemory(model);
  ASSERT_EQ(problems.size(), 1u) << Describe(problems);
  EXPECT_EQ(problems[0].code, "COMMENT_TOO_LONG");
  EXPECT_EQ(problems[0].severity, Severity::kInfo);

  // Lines past a stated count are still not loaded.
  model.joints[kFighter].comment += "Event20000=30|show|\r\n";
  const ProblemList uncounted = CheckInMemory(model);
  ASSERT_EQ(uncounted.size(), 2u) << Describe(uncounted);
  EXPECT_EQ(uncounted[1].code, "EVENT_LINE_UNCOUNTED");
  EXPECT_EQ(uncounted[1].message,
            "\"Num Events\" is \"20000\" but there are lines for event 20000; they are not "
            "loaded, and the next save drops them");
}

TEST(ModelCheckTest, LongCommentNamesTheEventsACutLoses) {
  host::Model model = CleanModel();
  model.joints[kFighter].comment = ManyEvents(60);
  const ProblemList problems = CheckInMemory(model);
  ASSERT_EQ(problems.size(), 1u) << Describe(problems);
  EXPECT_THAT(problems[0].message, ::testing::HasSubstr("so event 31 to 59 load empty or cut"));
}

}  // namespace
}  // namespace quorvel::check
