#include "plugin/attributes/comment_scan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plugin/attributes/attribute_text.h"
#include "plugin/attributes/event_block.h"

namespace quorvel {
namespace {

// A coding that shows what it did: control bytes and bytes from 0x80 up as "<>",
// '"' as a backslash and itself, '#' as "##".
constexpr ByteTexts kShownBytes = [] {
  ByteTexts texts{};
  for (int byte = 0; byte < 256; ++byte) {
    ByteText& entry = texts[static_cast<std::size_t>(byte)];
    if (byte < 0x20 || byte >= 0x80) {
      entry = {{'<', '>'}, 2};
    } else if (byte == '"') {
      entry = {{'\\', '"'}, 2};
    } else if (byte == '#') {
      entry = {{'#', '#'}, 2};
    } else {
      entry = {{static_cast<char>(byte)}, 1};
    }
  }
  return texts;
}();
constexpr ValueCoding kShown = MakeValueCoding(kShownBytes, '"', '#');

// What the coding makes of a value as the records read it.
std::string Shown(const std::string& value) {
  std::string out;
  for (const char c : value) {
    const ByteText& entry = kShownBytes[static_cast<unsigned char>(c)];
    out.append(entry.text, entry.length);
  }
  return out;
}

TEST(CommentScanTest, CodingKnowsWhichMarksTakeABackslash) {
  EXPECT_TRUE(kShown.backslashed[0]);
  EXPECT_FALSE(kShown.backslashed[1]);
  EXPECT_EQ(kShown.bytes['\r'].length, 0);
}

// Each value as ValueAfterKey reads it, at every length around the scanner's steps
// of 8 and 32 bytes, with its marks at every place.
TEST(CommentScanTest, ValuesReadAsTheRecordsReadThem) {
  const std::string fillers[] = {"a", "\r", "\"", "#", "\xe9", "E", "Event1", "\t"};
  for (const std::string& filler : fillers) {
    for (std::size_t length = 0; length < 80; ++length) {
      for (const std::string& after : {std::string("\r\nEvent1=x"), std::string()}) {
        std::string value;
        while (value.size() < length) {
          value += value.size() % 5 == 0 ? filler : "v";
        }
        const std::string text = "k=" + value + after;
        std::vector<char> room(TranscriptRoom(text.size(), 2));
        ValueStop stop;
        const char* end =
            TranscribeValue(room.data(), std::string_view(text).substr(2), kShown, false, stop);
        EXPECT_EQ(std::string(room.data(), static_cast<std::size_t>(end - room.data())),
                  Shown(ValueAfterKey(text, 1)))
            << filler << " " << length;
        EXPECT_EQ(stop.ended, !after.empty());
        // The LF's place: after the value's CR when a line end follows it.
        EXPECT_EQ(stop.read, value.size() + (after.empty() ? 0 : 1)) << filler << " " << length;
        EXPECT_FALSE(stop.keyInside);
      }
    }
  }
}

TEST(CommentScanTest, WatchingForKeysStopsAtAKeyInsideTheValueOnly) {
  const struct {
    std::string value;
    bool keyInside;
  } cases[] = {
      {"0|Fade|Event", false},   {"0|Fade|Event7", true},
      {"0|Fade|Eventx1", false}, {std::string(40, 'a') + "Event0", true},
      {"x\nEvent1", false},  // past the line's end
  };
  for (const auto& c : cases) {
    std::vector<char> room(TranscriptRoom(c.value.size(), 2));
    ValueStop stop;
    TranscribeValue(room.data(), c.value, kShown, true, stop);
    EXPECT_EQ(stop.keyInside, c.keyInside) << c.value;
  }
}

// The block written in one pass against the records' loading, for comments a record
// writes and for those it does not.
TEST(CommentScanTest, EventsInOrderGiveWhatLoadingGives) {
  const EventLineFormat format{"[", ",", true, ": ", ';'};
  const std::string longValue(70, 'v');
  std::string twelve = "Num Events=12\r\n";
  for (int i = 0; i < 12; ++i) {
    twelve += "Event" + std::to_string(i) + "=" + std::to_string(i * 10) + "|Fade|\r\n";
  }
  const struct {
    std::string comment;
    bool inOrder;
  } cases[] = {
      {"Num Events=2\r\nEvent0=0|Fade|\"a\"\r\nEvent1=5|Sound|#b\xe9\r\n", true},
      {"Num Events=3\r\nEvent0=a\r\nEvent1=" + longValue + "\r\n", true},  // one never met
      {twelve, true},                                                      // keys of two digits
      {"Num Events=12\r\nEvent0=a\r\nEvent10=c\r\n", false},  // "Event10" is also "Event1"
      {"Num Events=2\r\nEvent1=b\r\nEvent0=a\r\n", false},    // met before a key below it
      {"Num Events=2\r\nEvent0=a Event1=b\r\n", false},       // a key inside a value
      {"Num Events=2\nEvent0=a\nEvent1=b", true},             // other line ends, none at the end
      {"Num Events=0\r\n", false},
  };
  for (const auto& c : cases) {
    const std::string countText = LookUpAttribute(c.comment, kEventCountKey);
    const uint32_t count = TruncateToUInt32(TextToNumber(countText));
    std::vector<char> room(InOrderEventsRoom(count, c.comment.size(), 2) + 1);
    char* to = room.data();
    const std::size_t found = TranscribeEventsInOrder(to, c.comment, count, kShown, format);
    ASSERT_EQ(found != std::string_view::npos, c.inOrder) << c.comment;
    if (!c.inOrder) {
      continue;
    }
    EventList events;
    LoadEventBlock(c.comment, countText, events);
    std::string expected;
    for (std::size_t i = 0; i < events.size(); ++i) {
      expected += (i == 0 ? "[" : ",") + std::to_string(i) + ": " + Shown(events[i]) + ";";
    }
    EXPECT_EQ(std::string(room.data(), static_cast<std::size_t>(to - room.data())), expected)
        << c.comment;
    EXPECT_LE(found, events.size());
  }
}

}  // namespace
}  // namespace quorvel
