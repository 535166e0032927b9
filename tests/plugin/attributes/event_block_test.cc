#include "plugin/attributes/event_block.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "plugin/attributes/attribute_text.h"

namespace quorvel {
namespace {

// The event block as the plain reading defines it: one lookup per index.
EventList LoadByLookUp(std::string_view text, uint32_t count) {
  EventList events;
  for (uint32_t i = 0; i < count; ++i) {
    events.push_back(LookUpAttribute(text, "Event" + NumberToText(i)));
  }
  return events;
}

TEST(EventBlockTest, LoadFindsWhatLookingUpEachKeyFinds) {
  const std::string texts[] = {
      "",
      "Num Events=3\r\nEvent0=A\r\nEvent2=C\r\n",
      "Sob Name=Event0\r\nNum Events=1\r\nEvent0=A\r\n",
      "Event10=7|x|y\r\nEvent1=1|a|\r\n",
      "Event123=x\r\nEvent12=y\r\nEvent1=z\r\n",
      "Event01=x\r\nEvent0=y\r\nEvent1=z\r\n",
      "EventEvent0=e\r\nEvent00=f\r\n",
      "Event3",
      "Event",
      "Event2=\r\nEvent4\r\nEvent5=a\rb\rEvent6=c\n",
      "xEvent1=a|b|c\r\nEvent1=d\r\n",
      "Event4294967296=big\r\nEvent99999999999999999999=huge\r\n",
  };
  for (const std::string& text : texts) {
    for (const uint32_t count : {0u, 1u, 3u, 7u, 13u, 130u}) {
      EventList events{"stale"};
      LoadEventBlock(text, NumberToText(count), events);
      EXPECT_EQ(events, LoadByLookUp(text, count)) << "text '" << text << "' count " << count;
    }
  }
}

TEST(EventBlockTest, LoadAgreesWithLookUpOnScrambledText) {
  // Random texts made of the pieces that matter to the key search.
  const char* pieces[] = {"Event", "0", "1", "2", "9", "10", "=", "|", "\r", "\n", "x", "Ev"};
  std::mt19937 random(12345);
  for (int round = 0; round < 2000; ++round) {
    std::string text;
    const int length = static_cast<int>(random() % 40);
    for (int i = 0; i < length; ++i) {
      text += pieces[random() % std::size(pieces)];
    }
    const uint32_t count = random() % 25;
    EventList events;
    LoadEventBlock(text, NumberToText(count), events);
    ASSERT_EQ(events, LoadByLookUp(text, count)) << "text '" << text << "' count " << count;
  }
}

struct CountCase {
  std::string countText;
  size_t size;
};

TEST(EventBlockTest, CountIsReadAsAWholeNumberAndBounded) {
  const CountCase cases[] = {
      {"", 0},
      {"abc", 0},
      {"-3", 0},
      {"2.9", 2},
      {"3", 3},
      {"10000", kMaxEventCount},
      {"10001", kMaxEventCount},
      {"4294967295", kMaxEventCount},
      {"4294967296", kMaxEventCount},
      {"1e30", kMaxEventCount},
      {"1e400", kMaxEventCount},
  };
  for (const CountCase& c : cases) {
    EventList events;
    LoadEventBlock("Event0=A\r\n", c.countText, events);
    ASSERT_EQ(events.size(), c.size) << "count '" << c.countText << "'";
    if (c.size > 0) {
      EXPECT_EQ(events.front(), "A");
      EXPECT_EQ(events.back(), c.size > 1 ? "" : "A");
    }
  }
}

std::string RecordOf(size_t lines, std::string_view stated) {
  std::string text = "Num Events=" + std::string(stated) + "\r\n";
  for (size_t i = 0; i < lines; ++i) {
    text += "Event" + std::to_string(i) + "=" + std::to_string(i) + "|fadeSet|2.50\r\n";
  }
  return text;
}

// A record with more than kMaxEventCount event lines loads whole and saves as it was
// read; a huge stated count gives no element past the lines the text holds, beyond
// kMaxEventCount.
TEST(EventBlockTest, LongRecordsLoadWholeAndHugeCountsStayBounded) {
  struct Case {
    size_t lines;
    std::string stated;
    size_t loaded;
  };
  const Case cases[] = {
      {25000, "25000", 25000}, {25000, "25002", 25000},
      {25000, "24000", 24000}, {25000, "4294967295", 25000},
      {25000, "1e30", 25000},  {3, "4294967295", kMaxEventCount},
      {12000, "10001", 10001}, {0, "4294967295", kMaxEventCount},
  };
  for (const Case& c : cases) {
    const std::string text = RecordOf(c.lines, c.stated);
    EventList events;
    LoadEventBlock(text, c.stated, events);
    ASSERT_EQ(events.size(), c.loaded) << c.lines << " lines, count " << c.stated;
    for (size_t i = 0; i < events.size(); ++i) {
      ASSERT_EQ(events[i], i < c.lines ? std::to_string(i) + "|fadeSet|2.50" : "") << i;
    }
    if (c.stated == std::to_string(c.lines)) {
      std::string saved;
      SaveEventBlock(events, saved);
      EXPECT_EQ(saved, text);
    }
  }
}

// Past kMaxEventCount, an index the text could not hold as a list of lines is not
// looked for: a lone line far out makes no list of millions of empty elements.
TEST(EventBlockTest, ALoneLineFarOutMakesNoHugeList) {
  EventList events;
  LoadEventBlock("Event0=A\r\nEvent4000000000=far\r\n", "4294967295", events);
  EXPECT_EQ(events.size(), kMaxEventCount);
  EXPECT_EQ(events.front(), "A");
}

TEST(EventBlockTest, SaveWritesCountAndIndexedLines) {
  std::string out = "kept\r\n";
  SaveEventBlock({"0|hide|", "", "30|health|1"}, out);
  EXPECT_EQ(out, "kept\r\nNum Events=3\r\nEvent0=0|hide|\r\nEvent1=\r\nEvent2=30|health|1\r\n");

  out.clear();
  SaveEventBlock({}, out);
  EXPECT_EQ(out, "Num Events=0\r\n");
}

TEST(EventBlockTest, LoadMayReadFromAnElementOfTheListItFills) {
  EventList events{"Event0=first\r\nEvent1=second\r\n"};
  LoadEventBlock(events[0], "2", events);
  EXPECT_EQ(events, (EventList{"first", "second"}));
}

// One list loaded block after block, as show does joint after joint, holds what a
// fresh list would, also when a block is shorter, longer or reads from one of the
// list's own elements (a long one or a short one); an element keeps its room when
// its new value fits.
TEST(EventBlockTest, ReloadingOneListGivesWhatAFreshListGives) {
  const std::string longValue(40, 'v');
  EventList events;
  const std::string blocks[] = {
      "Event0=" + longValue + "\r\nEvent1=b\r\nEvent2=" + longValue + "\r\n",
      "Event0=short\r\n",
      "",
      "Event1=" + longValue + "x\r\nEvent3=d\r\n",
  };
  const uint32_t counts[] = {3, 1, 0, 4};
  for (std::size_t i = 0; i < std::size(blocks); ++i) {
    EventList fresh;
    LoadEventBlock(blocks[i], NumberToText(counts[i]), fresh);
    LoadEventBlock(blocks[i], NumberToText(counts[i]), events);
    EXPECT_EQ(events, fresh) << i;
  }
  const std::string reused = "Event0=" + longValue + "\r\nEvent1=" + longValue + "\r\n";
  LoadEventBlock(reused, "2", events);
  const char* room = events[1].data();
  LoadEventBlock("Event1=" + longValue.substr(1) + "\r\n", "2", events);
  EXPECT_EQ(events[1].data(), room);
  EXPECT_EQ(events, (EventList{"", longValue.substr(1)}));

  for (std::size_t viewed : {0u, 1u}) {
    events = {"Event1=" + longValue + "\r\nEvent0=x\r\n", "Event0=y\r\n"};
    const std::string text = events[viewed];
    LoadEventBlock(events[viewed], "2", events);
    EventList fresh;
    LoadEventBlock(text, "2", fresh);
    EXPECT_EQ(events, fresh) << viewed;
  }
}

}  // namespace
}  // namespace quorvel
