#include "plugin/attributes/camera_record.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvel {
namespace {

TEST(CameraRecordTest, SaveWritesTheExactText) {
  std::string out = "old";
  CameraRecord().SaveAttributes(out);
  EXPECT_EQ(out, "Center Of Interest=\r\nNum Events=0\r\n");

  const CameraRecord record{"Ship1", {"0|show|"}};
  record.SaveAttributes(out);
  EXPECT_EQ(out, "Center Of Interest=Ship1\r\nNum Events=1\r\nEvent0=0|show|\r\n");
}

TEST(CameraRecordTest, LoadReplacesEveryField) {
  CameraRecord record{"Old", {"stale"}};
  record.LoadAttributes("Num Events=2\r\nEvent1=9|hide|\r\n");
  EXPECT_EQ(record, (CameraRecord{"", {"", "9|hide|"}}));

  record.LoadAttributes("Center Of Interest=Mothership\r\n");
  EXPECT_EQ(record, (CameraRecord{"Mothership", {}}));
}

TEST(CameraRecordTest, TextCutByTheCommentBufferLoadsTheMissingEventsEmpty) {
  CameraRecord record{"Ship1", {}};
  for (int i = 0; i < 60; ++i) {
    record.events.push_back(std::to_string(i) + "|speechEvent|some parameters");
  }
  std::string out;
  record.SaveAttributes(out);
  ASSERT_GT(out.size(), 1023u);
  out.resize(1023);

  CameraRecord loaded;
  loaded.LoadAttributes(out);
  ASSERT_EQ(loaded.events.size(), 60u);
  EXPECT_EQ(loaded.events[0], record.events[0]);
  EXPECT_EQ(loaded.events[59], "");
}

}  // namespace
}  // namespace quorvel
