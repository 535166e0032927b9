#include "plugin/events/event_text.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvel {
namespace {

EventCatalogue JointCatalogue() {
  EventCatalogue catalogue;
  BuildCatalogue(catalogue, false);
  return catalogue;
}

int32_t IndexOf(const EventCatalogue& catalogue, const std::string& name) {
  for (size_t i = 0; i < catalogue.size(); ++i) {
    if (catalogue[i].name == name) {
      return static_cast<int32_t>(i);
    }
  }
  return -1;
}

TEST(ComposeEventTextTest, WritesFrameNameAndValueOverTheDestination) {
  const EventCatalogue catalogue = JointCatalogue();
  struct Case {
    uint32_t frame;
    const char* name;
    const char* value;
    const char* text;
  };
  const Case cases[] = {
      {0, "hide", "", "0|hide|"},
      {30, "health", "1", "30|health|1"},
      {45, "attack", "\"Ship1\"", "45|attack|\"Ship1\""},
      {4294967295u, "attack", "a|b", "4294967295|attack|a|b"},
  };
  for (const Case& c : cases) {
    std::string destination = "previous text";
    ComposeEventText({c.frame, IndexOf(catalogue, c.name), c.value}, catalogue, destination);
    EXPECT_EQ(destination, c.text);
  }
}

TEST(ComposeEventTextTest, IndexNamingNoEntryLeavesTheDestinationUntouched) {
  const EventCatalogue catalogue = JointCatalogue();
  for (const int32_t index : {-1, -2147483647 - 1, 28, 29, 2147483647}) {
    std::string destination = "5|hide|";
    ComposeEventText({7, index, "x"}, catalogue, destination);
    EXPECT_EQ(destination, "5|hide|") << "index " << index;
  }
  std::string destination;
  ComposeEventText({7, 0, "x"}, EventCatalogue{}, destination);
  EXPECT_EQ(destination, "");
}

TEST(ComposeEventTextTest, ValueMayBeTheDestinationItself) {
  const EventCatalogue catalogue = JointCatalogue();
  EventFields fields{3, 0, ""};
  std::string text = "\"Ship1\"";
  fields.value = text;
  ComposeEventText(fields, catalogue, text);
  EXPECT_EQ(text, "3|attack|\"Ship1\"");
}

struct SplitCase {
  std::string source;
  EventFields before;
  EventFields after;
};

TEST(SplitEventTextTest, ReadsFrameNameAndValue) {
  EventCatalogue catalogue = JointCatalogue();
  const int32_t hide = IndexOf(catalogue, "hide");
  const int32_t speech = 5;  // an index that the texts below do not name
  const SplitCase cases[] = {
      {"0|hide|", {1, -1, "old"}, {0, hide, ""}},
      {"30|health|1", {1, -1, ""}, {30, IndexOf(catalogue, "health"), "1"}},
      {"5|speechEvent|a|b", {1, speech, ""}, {5, speech, "b"}},  // name "speechEvent|a"
      {"12|Hide|x", {1, -1, ""}, {12, -1, "x"}},                 // case counts
      {"7.9|fire|", {1, -1, ""}, {7, IndexOf(catalogue, "fire"), ""}},
      {"|show|", {9, -1, ""}, {0, IndexOf(catalogue, "show"), ""}},
      {"-3|show|", {9, -1, ""}, {0, IndexOf(catalogue, "show"), ""}},
      {" 3|show|", {9, -1, ""}, {0, IndexOf(catalogue, "show"), ""}},
      {"4294967296|show|", {9, -1, ""}, {0, IndexOf(catalogue, "show"), ""}},  // low 32 bits
      {"4294967301|show|", {9, -1, ""}, {5, IndexOf(catalogue, "show"), ""}},
      {"1e400|show|", {9, -1, ""}, {0, IndexOf(catalogue, "show"), ""}},
      {"3||v", {9, 2, ""}, {3, 2, "v"}},
      {"3|show|", {9, 2, ""}, {3, IndexOf(catalogue, "show"), ""}},
  };
  for (const SplitCase& c : cases) {
    EventFields fields = c.before;
    SplitEventText(c.source, catalogue, fields);
    EXPECT_EQ(fields, c.after) << "source '" << c.source << "'";
  }
}

TEST(SplitEventTextTest, TextsWithFewerThanTwoBarsGiveTheFieldsThatCanBeRead) {
  const EventCatalogue catalogue = JointCatalogue();
  const SplitCase cases[] = {
      {"", {9, 3, "kept"}, {9, 3, "kept"}},  // empty source changes nothing
      {"25", {9, 3, "old"}, {25, 3, ""}},
      {"hide", {9, 3, "old"}, {0, 3, ""}},  // no bar: no event name to look up
      {"25|hide", {9, 3, "old"}, {25, IndexOf(catalogue, "hide"), ""}},
      {"25|", {9, 3, "old"}, {25, 3, ""}},
      {"|", {9, 3, "old"}, {0, 3, ""}},
      {"||", {9, 3, "old"}, {0, 3, ""}},
  };
  for (const SplitCase& c : cases) {
    EventFields fields = c.before;
    SplitEventText(c.source, catalogue, fields);
    EXPECT_EQ(fields, c.after) << "source '" << c.source << "'";
  }
}

TEST(SplitEventTextTest, FirstOfTwoEqualNamesWins) {
  EventCatalogue catalogue;
  AddEventType(catalogue, "other", ValueKind::kNoValue, false, "");
  AddEventType(catalogue, "twin", ValueKind::kNoValue, false, "");
  AddEventType(catalogue, "twin", ValueKind::kNumber, false, "");
  EventFields fields;
  SplitEventText("1|twin|", catalogue, fields);
  EXPECT_EQ(fields.eventIndex, 1);
}

TEST(EventTextRoundTripTest, SplitGivesBackWhatComposeWrote) {
  for (const bool modelLevel : {true, false}) {
    EventCatalogue catalogue;
    BuildCatalogue(catalogue, modelLevel);
    for (size_t i = 0; i < catalogue.size(); ++i) {
      for (const uint32_t frame : {0u, 1u, 2147483647u, 2147483648u, 4294967295u}) {
        for (const std::string value : {"", "1", ".50", "\"Ship 1\"", "\"\\data\\a.wav\" 2"}) {
          const EventFields composed{frame, static_cast<int32_t>(i), value};
          std::string text;
          ComposeEventText(composed, catalogue, text);
          EventFields split;
          SplitEventText(text, catalogue, split);
          ASSERT_EQ(split, composed) << text;
        }
      }
    }
  }
}

TEST(SplitEventTextTest, SourceMayBeTheValueField) {
  const EventCatalogue catalogue = JointCatalogue();
  EventFields fields{1, -1, "30|health|75"};
  SplitEventText(fields.value, catalogue, fields);
  EXPECT_EQ(fields, (EventFields{30, IndexOf(catalogue, "health"), "75"}));
}

}  // namespace
}  // namespace quorvel
