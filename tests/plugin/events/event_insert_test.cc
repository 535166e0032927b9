#include "plugin/events/event_insert.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>

#include "plugin/events/event_order.h"

namespace quorvel {
namespace {

// What the Event Editor has always done on Add: append, then sort the whole list.
EventList AppendAndSort(EventList events, const std::string& added) {
  events.push_back(added);
  SortEvents(events);
  return events;
}

// Few frames and few rest lengths, so that runs of equal keys are long; some
// frames past 2^31, some texts without a frame.
std::string RandomEvent(std::mt19937& random, unsigned frames) {
  static const char* const kFrames[] = {"3000000000", "2147483648", "abc", ""};
  static const char* const kNames[] = {"hide", "show", "fire", "a", "", "death|\"x\""};
  std::string event;
  const unsigned frame = random() % (frames + 1);
  event = frame < frames ? std::to_string(frame) : kFrames[random() % std::size(kFrames)];
  if (random() % 8 != 0) {
    event += '|';
    event += kNames[random() % std::size(kNames)];
    event += '|';
    event.append(random() % 2, 'v');
  }
  // Tells apart events whose keys are equal without changing their length.
  event += static_cast<char>('A' + random() % 26);
  return event;
}

TEST(EventInsertTest, EveryAddGivesTheOrderOfSortingTheWholeList) {
  std::mt19937 random(14);
  for (unsigned frames : {1u, 2u, 3u, 6u, 40u}) {
    for (int round = 0; round < 40; ++round) {
      // Starts from whatever SortEvents leaves, as the editor does after a change.
      EventList events;
      for (size_t i = random() % 5; i > 0; --i) {
        events.push_back(RandomEvent(random, frames));
      }
      SortEvents(events);
      for (int add = 0; add < 30; ++add) {
        const std::string added = RandomEvent(random, frames);
        const EventList expected = AppendAndSort(events, added);
        InsertEvent(events, added);
        ASSERT_EQ(events, expected)
            << "frames " << frames << ", round " << round << ", add " << add << ": " << added;
      }
    }
  }
}

TEST(EventInsertTest, ListsInAnyOrderAreSortedWhole) {
  const std::pair<EventList, std::string> cases[] = {
      {{"5|a|", "1|a|"}, "3|a|"},
      {{"1|bb|", "1|a|", "1|cc|"}, "1|d|"},
      {{"2|a|x", "2|a|y", "1|a|z"}, "2|a|w"},
  };
  for (const auto& [input, added] : cases) {
    EventList events = input;
    InsertEvent(events, added);
    EXPECT_EQ(events, AppendAndSort(input, added)) << added;
  }
  std::mt19937 random(41);
  for (int round = 0; round < 200; ++round) {
    EventList events;
    for (size_t i = random() % 9; i > 0; --i) {
      events.push_back(RandomEvent(random, 3));
    }
    const std::string added = RandomEvent(random, 3);
    const EventList expected = AppendAndSort(events, added);
    InsertEvent(events, added);
    ASSERT_EQ(events, expected) << "round " << round;
  }
}

}  // namespace
}  // namespace quorvel
