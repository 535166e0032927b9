#include "plugin/events/event_order.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>

namespace quorvel {
namespace {

TEST(EventOrderTest, SortKeyAndRestLength) {
  struct Case {
    std::string text;
    uint32_t key;
    size_t rest;
  };
  const Case cases[] = {
      {"0|hide|", 0, 5},
      {"10|show|", 10, 5},
      {"1.9|fire|", 1, 5},
      {"5|death|\"x\"", 5, 9},
      {"-4|fire|", 0, 5},  // a sign is not read: frame 0
      {" 4|fire|", 0, 5},
      {"|fire|", 0, 5},
      {"2147483647|a|", 2147483647, 2},
      {"2147483648|a|", 2147483648u, 2},  // frames are unsigned 32-bit numbers
      {"4294967295|a|", 4294967295u, 2},
      {"4294967296|a|", 4294967295u, 2},  // saturates
      {"1e400|a|", 4294967295u, 2},
      {"", 0, 0},
      {"|", 0, 0},
      {"12", 12, 0},  // without "|" the whole text is the frame text
      {"abc", 0, 0},
      {"7|x", 7, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(sortKey(c.text), c.key) << "text '" << c.text << "'";
    EXPECT_EQ(restLength(c.text), c.rest) << "text '" << c.text << "'";
  }
}

TEST(EventOrderTest, SortsByFrameThenRestLengthInTheExchangeOrder) {
  const std::pair<EventList, EventList> cases[] = {
      {{"3|hide|", "3|show|", "1|fire|", "3|fire|"}, {"1|fire|", "3|show|", "3|hide|", "3|fire|"}},
      {{"10|a|", "2|a|", "7|a|"}, {"2|a|", "7|a|", "10|a|"}},  // numeric, not textual
      {{"1.9|ab|", "1.5|a|"}, {"1.5|a|", "1.9|ab|"}},
      {{"5|death|\"x\"", "5|hide|"}, {"5|hide|", "5|death|\"x\""}},
      {{"4|a|", "-1|a|", " 2|a|"}, {"-1|a|", " 2|a|", "4|a|"}},
      {{"9", "3|hide|", "", "abc"}, {"", "abc", "3|hide|", "9"}},
      {{}, {}},
      {{"1|a|"}, {"1|a|"}},
      // Frames up to the Frame field's 4294967295 sort by number, also past 2^31.
      {{"3000000000|hide|", "2200000000|attack|\"S\"", "5|a|"},
       {"5|a|", "2200000000|attack|\"S\"", "3000000000|hide|"}},
  };
  for (const auto& [input, expected] : cases) {
    EventList events = input;
    SortEvents(events);
    EXPECT_EQ(events, expected);
  }
}

// The exchange loop exactly as the editor has always run it, deriving both keys
// afresh at every step.
void ReferenceSort(EventList& events) {
  for (size_t i = 0; i < events.size(); ++i) {
    for (size_t j = 0; j < events.size(); ++j) {
      if (j == i) {
        continue;
      }
      const uint32_t a = sortKey(events[i]);
      const uint32_t b = sortKey(events[j]);
      if (a < b || (a == b && restLength(events[i]) < restLength(events[j]))) {
        std::swap(events[i], events[j]);
      }
    }
  }
}

TEST(EventOrderTest, MatchesTheExchangeLoopOnRandomLists) {
  const char* names[] = {"hide", "show", "fire", "a", "", "death|\"x\""};
  // Few distinct frames, on both sides of 2^31 and at the top of the range.
  const char* frames[] = {"0",          "3",          "2147483647", "2147483648",
                          "3000000000", "4294967295", "4294967296"};
  std::mt19937 random(2024);
  for (int round = 0; round < 500; ++round) {
    EventList events;
    const size_t count = random() % 12;
    for (size_t i = 0; i < count; ++i) {
      // Few distinct names too, so that ties in both keys are common.
      std::string event = frames[random() % std::size(frames)];
      event += '|';
      event += names[random() % std::size(names)];
      event += '|';
      event.append(random() % 2, 'v');
      events.push_back(std::move(event));
    }
    EventList expected = events;
    ReferenceSort(expected);
    SortEvents(events);
    ASSERT_EQ(events, expected);
  }
}

}  // namespace
}  // namespace quorvel
