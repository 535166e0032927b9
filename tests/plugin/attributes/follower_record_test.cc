#include "plugin/attributes/follower_record.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvel {
namespace {

TEST(FollowerRecordTest, LoadReplacesEveryFieldEvenWithEmptyText) {
  FollowerRecord record;
  record.events = {"stale"};
  record.LoadAttributes("");
  EXPECT_EQ(record, (FollowerRecord{"", "", {}}));  // the initial "None" does not survive

  record.LoadAttributes("Sob Type=ship\r\nSob Name=Alpha\r\nNum Events=1\r\nEvent0=5|hide|\r\n");
  EXPECT_EQ(record, (FollowerRecord{"ship", "Alpha", {"5|hide|"}}));
}

TEST(FollowerRecordTest, SaveWritesTheExactText) {
  const FollowerRecord record{"ship", "Alpha", {"A", "B"}};
  std::string out = "old";
  record.SaveAttributes(out);
  EXPECT_EQ(out, "Sob Type=ship\r\nSob Name=Alpha\r\nNum Events=2\r\nEvent0=A\r\nEvent1=B\r\n");
  EXPECT_EQ(FollowerRecord().sobGroupType, "None");
}

TEST(FollowerRecordTest, SaveThenLoadGivesTheSameRecord) {
  const FollowerRecord records[] = {
      {"None", "", {}},
      {"ship", "Alpha Wing", {"0|hide|", "10|attack|\"Ship1\"", "", "20|health|.50"}},
      {"", "", {"", ""}},
  };
  for (const FollowerRecord& record : records) {
    std::string out;
    record.SaveAttributes(out);
    FollowerRecord loaded;
    loaded.LoadAttributes(out);
    EXPECT_EQ(loaded, record) << out;
  }
}

TEST(FollowerRecordTest, NameHoldingAnEventKeyShadowsThatEvent) {
  const FollowerRecord record{"ship", "Event0", {"A", "B"}};
  std::string out;
  record.SaveAttributes(out);
  FollowerRecord loaded;
  loaded.LoadAttributes(out);
  EXPECT_EQ(loaded.events, (EventList{"", "B"}));
}

TEST(FollowerRecordTest, LoadMayReadFromItsOwnField) {
  FollowerRecord record;
  record.sobGroupName = "Sob Type=fighter\r\nSob Name=Red\r\nNum Events=1\r\nEvent0=1|show|\r\n";
  record.LoadAttributes(record.sobGroupName);
  EXPECT_EQ(record, (FollowerRecord{"fighter", "Red", {"1|show|"}}));
}

}  // namespace
}  // namespace quorvel
