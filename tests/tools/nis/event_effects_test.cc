#include "tools/nis/event_effects.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "plugin/events/event_catalogue.h"

namespace quorvel::nis {
namespace {

// A new event of the catalogue cannot be forgotten: the table must say what it does,
// and the user's page must name it.
TEST(EventEffectsTest, EveryCatalogueEventHasItsRowAndIsDescribed) {
  std::ifstream file(std::string(QUORVEL_SOURCE_DIR) + "/docs/preview-events.md");
  std::stringstream page;
  page << file.rdbuf();
  const std::span<const EventEffect> table = EventEffects();
  std::size_t row = 0;
  for (const bool modelLevel : {true, false}) {
    EventCatalogue catalogue;
    BuildCatalogue(catalogue, modelLevel);
    for (const EventTypeEntry& entry : catalogue) {
      ASSERT_LT(row, table.size()) << entry.name;
      EXPECT_EQ(table[row].name, entry.name);
      EXPECT_EQ(table[row].modelLevel, modelLevel) << entry.name;
      EXPECT_NE(table[row].effect, Effect::kNone) << entry.name;
      EXPECT_NE(page.str().find("`" + entry.name + "`"), std::string::npos)
          << entry.name << " is not in docs/preview-events.md";
      ++row;
    }
  }
  EXPECT_EQ(row, table.size());
}

TEST(EventEffectsTest, AnEventDoesSomethingOnlyInItsOwnList) {
  struct Case {
    std::string name;
    bool modelLevel;
    Effect effect;
  };
  const Case cases[] = {
      {"cameraCut", true, Effect::kCameraCut}, {"cameraCut", false, Effect::kNone},
      {"hide", false, Effect::kHide},          {"hide", true, Effect::kNone},
      {"Hide", false, Effect::kNone},          {"", true, Effect::kNone},
      {"death", false, Effect::kHide},         {"hyperspaceOut", false, Effect::kShow},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EffectOf(c.name, c.modelLevel), c.effect) << c.name << " " << c.modelLevel;
  }
}

}  // namespace
}  // namespace quorvel::nis
