#include "plugin/events/event_catalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace quorvel {
namespace {

EventCatalogue Built(bool modelLevel) {
  EventCatalogue catalogue;
  BuildCatalogue(catalogue, modelLevel);
  return catalogue;
}

const EventTypeEntry* Find(const EventCatalogue& catalogue, const std::string& name) {
  for (const EventTypeEntry& entry : catalogue) {
    if (entry.name == name) {
      return &entry;
    }
  }
  return nullptr;
}

struct SetCase {
  bool modelLevel;
  size_t size;
  std::string first;
  std::string last;
};

TEST(EventCatalogueTest, EachSetHasItsRowsInOrderAndItsOwnFlag) {
  const SetCase cases[] = {{true, 24, "cameraCut", "stayFadedAtEnd"},
                           {false, 28, "attack", "lockLOD"}};
  for (const SetCase& c : cases) {
    const EventCatalogue catalogue = Built(c.modelLevel);
    ASSERT_EQ(catalogue.size(), c.size);
    EXPECT_EQ(catalogue.front().name, c.first);
    EXPECT_EQ(catalogue.back().name, c.last);
    std::set<std::string> names;
    for (const EventTypeEntry& entry : catalogue) {
      EXPECT_EQ(entry.modelLevel, c.modelLevel) << entry.name;
      EXPECT_GE(entry.valueKind, ValueKind::kRawParameters) << entry.name;
      EXPECT_LE(entry.valueKind, ValueKind::kObjectName) << entry.name;
      names.insert(entry.name);
    }
    EXPECT_EQ(names.size(), c.size) << "names are unique within a set";
  }
}

struct RowCase {
  bool modelLevel;
  size_t index;
  std::string name;
  ValueKind valueKind;
  std::string hint;
};

TEST(EventCatalogueTest, RowsCarryTheirKindAndHint) {
  const RowCase cases[] = {
      {true, 0, "cameraCut", ValueKind::kObjectName, "camera"},
      {true, 3, "cameraLeave", ValueKind::kNoValue, ""},
      {true, 6, "fadeSet", ValueKind::kNumber, ""},
      {true, 8, "musicStart", ValueKind::kFilePath, "\\data\\sound\\music\\nis\\"},
      {true, 10, "musicStartAtEnd", ValueKind::kFilePath, "\\data\\sound\\music\\"},
      {true, 14, "speechSetDir", ValueKind::kQuotedText, ""},
      {true, 19, "soundEvent", ValueKind::kFilePath, "\\data\\sound\\sfx\\"},
      {true, 20, "speechEvent", ValueKind::kRawParameters, ""},
      {true, 21, "SFXVolume", ValueKind::kNumber, ""},
      {true, 22, "runScar", ValueKind::kQuotedText, ""},
      {false, 0, "attack", ValueKind::kObjectName, "ship"},
      {false, 1, "death", ValueKind::kQuotedText, ""},
      {false, 8, "invincible", ValueKind::kNoValue, ""},
      {false, 9, "vincible", ValueKind::kNoValue, ""},
      {false, 14, "health", ValueKind::kNumber, ""},
      {false, 25, "setMADState", ValueKind::kQuotedText, ""},
      {false, 26, "setResourceValue", ValueKind::kNumber, ""},
  };
  for (const RowCase& c : cases) {
    const EventCatalogue catalogue = Built(c.modelLevel);
    const EventTypeEntry& entry = catalogue.at(c.index);
    EXPECT_EQ(entry.name, c.name);
    EXPECT_EQ(entry.valueKind, c.valueKind) << c.name;
    EXPECT_EQ(entry.hint, c.hint) << c.name;
  }
}

TEST(EventCatalogueTest, OnlyFiveRowsHaveAHint) {
  std::set<std::string> hinted;
  for (const bool modelLevel : {true, false}) {
    for (const EventTypeEntry& entry : Built(modelLevel)) {
      if (!entry.hint.empty()) {
        hinted.insert(entry.name);
      }
    }
  }
  EXPECT_EQ(hinted, (std::set<std::string>{"cameraCut", "musicStart", "musicStartAtEnd",
                                           "soundEvent", "attack"}));
}

TEST(EventCatalogueTest, NamesAreCaseSensitive) {
  const EventCatalogue joint = Built(false);
  EXPECT_NE(Find(joint, "setMADState"), nullptr);
  EXPECT_EQ(Find(joint, "setmadstate"), nullptr);
  EXPECT_NE(Find(Built(true), "SFXVolume"), nullptr);
  EXPECT_EQ(Find(Built(true), "sfxVolume"), nullptr);
}

TEST(EventCatalogueTest, BuildAppendsAndEachCatalogueIsItsOwn) {
  EventCatalogue first = Built(false);
  const EventCatalogue second = Built(false);
  EXPECT_EQ(first, second);
  first[0].name = "changed";
  EXPECT_EQ(second[0].name, "attack");

  EventCatalogue both;
  AddEventType(both, "custom", ValueKind::kNumber, true, "h");
  BuildCatalogue(both, true);
  ASSERT_EQ(both.size(), 25u);
  EXPECT_EQ(both[0], (EventTypeEntry{"custom", "h", true, ValueKind::kNumber}));
  EXPECT_EQ(both[1].name, "cameraCut");
}

// Every event a user can place has a category, so that a new event type cannot be
// drawn as unknown; a name of neither set is unknown, and case counts.
TEST(EventCatalogueTest, EveryEventTypeHasACategory) {
  for (const bool modelLevel : {true, false}) {
    EventCatalogue catalogue;
    BuildCatalogue(catalogue, modelLevel);
    for (const EventTypeEntry& entry : catalogue) {
      EXPECT_NE(CategoryOfEvent(entry.name), EventCategory::kUnknown) << entry.name;
    }
  }
  const struct {
    const char* name;
    EventCategory category;
  } cases[] = {
      {"cameraCut", EventCategory::kCamera},  {"focusAtEnd", EventCategory::kCamera},
      {"fadeTo", EventCategory::kScreen},     {"wideScreenIn", EventCategory::kScreen},
      {"musicStart", EventCategory::kSound},  {"engineSoundVolume", EventCategory::kSound},
      {"hide", EventCategory::kShip},         {"attack", EventCategory::kShip},
      {"lockLOD", EventCategory::kEffect},    {"navlightSpeed", EventCategory::kEffect},
      {"CameraCut", EventCategory::kUnknown}, {"", EventCategory::kUnknown},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CategoryOfEvent(c.name), c.category) << c.name;
  }
  EXPECT_EQ(CategoryName(EventCategory::kScreen), "screen");
  EXPECT_EQ(CategoryName(EventCategory::kUnknown), "unknown");
}

}  // namespace
}  // namespace quorvel
