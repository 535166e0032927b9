#include "tools/check/written_record.h"

#include <gtest/gtest.h>

#include "tools/check/storage_rules.h"

namespace quorvel::check {
namespace {

class NoProblems : public ProblemSink {
 public:
  bool Wants(const ProblemCode&) override { return true; }
  void Add(const ProblemView& problem) override { codes += std::string(problem.code) + " "; }
  std::string codes;
};

// A record read in place must be one that the storage rules pass and that loads to
// the same events; every other text is left to those rules.
TEST(WrittenRecordTest, OnlyRecordsAsASaveWritesThemAreReadInPlace) {
  const std::string follower = "Sob Type=ship\r\nSob Name=Alpha\r\nNum Events=2\r\n";
  const struct {
    RecordKind kind;
    std::string text;
    bool written;
  } cases[] = {
      {RecordKind::kFollower, follower + "Event0=20|hide|\r\nEvent1=25|show|\r\n", true},
      {RecordKind::kCamera, "Center Of Interest=Fighter1\r\nNum Events=0\r\n", true},
      {RecordKind::kFollower, "Sob Type=\r\nSob Name=\r\nNum Events=0\r\n", true},
      {RecordKind::kModel, "OPT_FPS=30\r\nNum Events=0\r\n", false},    // always the rules
      {RecordKind::kFollower, follower + "Event0=20|hide|\r\n", true},  // one missing
      {RecordKind::kFollower, follower + "Event0=20|hide|\r\nEvent1=25|sh", true},  // cut
      {RecordKind::kFollower, follower + "Event1=20|hide|\r\nEvent0=25|show|\r\n", false},
      {RecordKind::kFollower, follower + "Event0=20|hide|\r\nEvent1=25|show|\r", false},
      {RecordKind::kFollower, follower + "Event0=20|hide|\r\nEvent1", false},
      {RecordKind::kFollower, "Sob Type=ship\r\nSob Name=Alpha", false},
      {RecordKind::kFollower, follower + "Event0=20|hide|\nEvent1=25|show|\r\n", false},
      {RecordKind::kFollower, follower + "Event0=20|hi\rde|\r\nEvent1=25|show|\r\n", false},
      {RecordKind::kFollower, follower + "Event0=20|hide|\r\nEvent1=25|show|\r\nNote=x\r\n", false},
      // Values that hold a key's text: a load may read another line's value.
      {RecordKind::kFollower,
       "Sob Type=ship\r\nSob Name=Event1\r\nNum Events=2\r\n"
       "Event0=20|hide|\r\nEvent1=25|show|\r\n",
       false},
      {RecordKind::kFollower, "Sob Type=Sob Name\r\nSob Name=A\r\nNum Events=0\r\n", false},
      {RecordKind::kCamera, "Center Of Interest=Center Of Interest\r\nNum Events=0\r\n", false},
      {RecordKind::kFollower,
       "Sob Type=ship\r\nSob Name=A\r\nNum Events=02\r\n"
       "Event0=20|hide|\r\nEvent1=25|show|\r\n",
       false},
      {RecordKind::kFollower, "Sob Name=A\r\nSob Type=ship\r\nNum Events=0\r\n", false},
      {RecordKind::kFollower,
       "Sob Type=ship\r\nSob Name=" + std::string(1000, 'x') + "\r\nNum Events=0\r\n",
       false},  // past a host's buffer
  };
  WrittenRecord record;
  for (const auto& c : cases) {
    EXPECT_EQ(ReadWrittenRecord(c.kind, c.text, record), c.written)
        << ::testing::PrintToString(c.text);
    if (c.written) {
      // The storage rules find no more than the missing lines, and load the same.
      NoProblems problems;
      EventList loaded = CheckStorage(c.kind, c.text, Place{}, problems);
      EXPECT_EQ(problems.codes, record.events.size() < record.count ? "EVENT_LINE_MISSING " : "")
          << c.text;
      ASSERT_EQ(loaded.size(), record.count) << c.text;
      loaded.resize(record.events.size());
      EXPECT_EQ(std::vector<std::string_view>(loaded.begin(), loaded.end()), record.events)
          << c.text;
    }
  }
}

// The event keys are counted up digit by digit: past 9 (and 19, 29...) a record
// still reads in place, and a key that breaks the count stops it. (A record read in
// place fits a host's comment buffer, so it holds a few dozen events at most.)
TEST(WrittenRecordTest, EventKeysAreCountedPastEachPowerOfTen) {
  for (const std::size_t count : {1, 2, 10, 11, 20, 21, 45}) {
    std::string text = "Center Of Interest=A\r\nNum Events=" + std::to_string(count) + "\r\n";
    for (std::size_t i = 0; i < count; ++i) {
      text += "Event" + std::to_string(i) + "=" + std::to_string(i) + "|hide|\r\n";
    }
    WrittenRecord record;
    ASSERT_TRUE(ReadWrittenRecord(RecordKind::kCamera, text, record)) << count;
    ASSERT_EQ(record.events.size(), count);
    EXPECT_EQ(record.events.back(), std::to_string(count - 1) + "|hide|");
    const std::string last = "Event" + std::to_string(count - 1) + "=";
    const std::string wrong = "Event" + std::to_string(count) + "=";
    text.replace(text.rfind(last), last.size(), wrong);
    EXPECT_FALSE(ReadWrittenRecord(RecordKind::kCamera, text, record)) << count;
  }
}

// A fixed key left out, and lines that are no key of the record before "Num Events"
// (a follower's record on a joint named as a camera): read in place when the storage
// rules find only those lines (and the missing ones), in order; any line that holds
// a key's text is left to the rules.
TEST(WrittenRecordTest, ForeignLinesBeforeTheCountAreReadInPlace) {
  const std::string events = "Num Events=2\r\nEvent0=20|hide|\r\nEvent1=25|show|\r\n";
  const struct {
    RecordKind kind;
    std::string text;
    bool written;
    std::vector<std::string_view> foreign;
  } cases[] = {
      {RecordKind::kCamera,
       "Sob Type=ship\r\nSob Name=Wing\xe9"
       "1\r\n" +
           events,
       true,
       {"Sob Type=ship",
        "Sob Name=Wing\xe9"
        "1"}},
      {RecordKind::kCamera,
       "Sob Type=ship\r\nNum Events=3\r\nEvent0=20|hide|\r\n",
       true,
       {"Sob Type=ship"}},  // and two lines missing
      {RecordKind::kCamera,
       "Note\r\nCenter Of Interest=A\r\nx=y\r\n" + events,
       true,
       {"Note", "x=y"}},
      {RecordKind::kFollower, "Sob Name=A\r\n" + events, true, {}},  // no "Sob Type"
      {RecordKind::kFollower, "Center Of Interest=A\r\n" + events, true, {"Center Of Interest=A"}},
      {RecordKind::kFollower,
       "Sob Type=ship\r\nNote=1\r\nSob Name=A\r\n" + events,
       true,
       {"Note=1"}},
      {RecordKind::kCamera, "Sob Name=Event3\r\n" + events, false, {}},
      {RecordKind::kCamera, "Look at Center Of Interest\r\n" + events, false, {}},
      {RecordKind::kFollower, "My Sob Type=x\r\n" + events, false, {}},
      {RecordKind::kCamera, "\r\n" + events, false, {}},          // an empty line
      {RecordKind::kCamera, "Note\n" + events, false, {}},        // LF alone
      {RecordKind::kCamera, "No\rte\r\n" + events, false, {}},    // a CR inside
      {RecordKind::kCamera, "Note\r\nSob Type=ship", false, {}},  // no "Num Events"
      {RecordKind::kCamera, events + "Note=x\r\n", false, {}},    // after the events
      {RecordKind::kFollower, "Sob Name=A\r\nSob Type=ship\r\n" + events, false, {}},
  };
  WrittenRecord record;
  for (const auto& c : cases) {
    ASSERT_EQ(ReadWrittenRecord(c.kind, c.text, record), c.written)
        << ::testing::PrintToString(c.text);
    if (!c.written) {
      continue;
    }
    EXPECT_EQ(record.foreign, c.foreign) << ::testing::PrintToString(c.text);
    NoProblems problems;
    EventList loaded = CheckStorage(c.kind, c.text, Place{}, problems);
    std::string expected;
    for (std::size_t i = 0; i < c.foreign.size(); ++i) {
      expected += "LINE_NOT_A_KEY ";
    }
    if (record.events.size() < record.count) {
      expected += "EVENT_LINE_MISSING ";
    }
    EXPECT_EQ(problems.codes, expected) << ::testing::PrintToString(c.text);
    ASSERT_EQ(loaded.size(), record.count) << c.text;
    loaded.resize(record.events.size());
    EXPECT_EQ(std::vector<std::string_view>(loaded.begin(), loaded.end()), record.events) << c.text;
  }
}

}  // namespace
}  // namespace quorvel::check
