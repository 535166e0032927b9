#include "plugin/attributes/model_record.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvel {
namespace {

struct LoadCase {
  std::string text;
  uint32_t frameRate;
  EventList events;
};

TEST(ModelRecordTest, LoadReadsFrameRateAndEvents) {
  const LoadCase cases[] = {
      {"", 24, {}},
      {"OPT_FPS=30\r\n", 30, {}},
      {"OPT_FPS=abc", 0, {}},  // present, so the default does not apply
      {"OPT_FPS=29.97", 29, {}},
      {"OPT_FPS= 30", 0, {}},
      {"OPT_FPS=-5", 0, {}},
      {"OPT_FPS=4294967295", 4294967295u, {}},
      {"OPT_FPS=4294967296", 4294967295u, {}},  // saturates
      {"OPT_FPS=1e30", 4294967295u, {}},
      {"OPT_FPS=1e400", 4294967295u, {}},
      {"Num Events=3\r\nEvent0=A\r\nEvent2=C\r\n", 24, {"A", "", "C"}},
      {"Num Events=2.9\r\nEvent0=A\r\nEvent1=B\r\nEvent2=C\r\n", 24, {"A", "B"}},
      {"Num Events=1\r\nEvent0=A\r\nEvent1=B\r\n", 24, {"A"}},
      {"OPT_FPS=25\r\nNum Events=0\r\nEvent0=A\r\n", 25, {}},
  };
  for (const LoadCase& c : cases) {
    ModelRecord record;
    record.events = {"stale"};
    record.LoadAttributes(c.text);
    EXPECT_EQ(record.frameRate, c.frameRate) << "text '" << c.text << "'";
    EXPECT_EQ(record.events, c.events) << "text '" << c.text << "'";
  }
}

TEST(ModelRecordTest, SaveReplacesTheTextWithTheWrittenForm) {
  std::string out = "whatever stood here before";
  ModelRecord record;
  record.SaveAttributes(out);
  EXPECT_EQ(out, "OPT_FPS=24\r\nNum Events=0\r\n");

  record.frameRate = 30;
  record.events = {"0|cameraCut|\"CAM_1\"", "45|fadeSet|.50"};
  record.SaveAttributes(out);
  EXPECT_EQ(out,
            "OPT_FPS=30\r\nNum Events=2\r\nEvent0=0|cameraCut|\"CAM_1\"\r\n"
            "Event1=45|fadeSet|.50\r\n");
}

TEST(ModelRecordTest, ElevenEventsSaveInIndexOrderAndLoadBack) {
  ModelRecord record;
  record.frameRate = 4294967295u;
  for (int i = 0; i < 11; ++i) {
    record.events.push_back(std::to_string(i * 10) + "|focus|");
  }
  std::string out;
  record.SaveAttributes(out);
  EXPECT_NE(out.find("Event9=90|focus|\r\nEvent10=100|focus|\r\n"), std::string::npos);

  ModelRecord loaded;
  loaded.LoadAttributes(out);
  EXPECT_EQ(loaded, record);
}

}  // namespace
}  // namespace quorvel
