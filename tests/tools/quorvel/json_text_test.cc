#include "tools/quorvel/json_text.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <random>
#include <sstream>
#include <vector>

#include "framework/core/latin1.h"
#include "tools/quorvel/output_buffer.h"

namespace quorvel::app {
namespace {

TEST(JsonTextTest, JsonStringReadsBackAsTheSameCodePoints) {
  std::string every_byte;
  for (int byte = 0; byte < 256; ++byte) {
    every_byte.push_back(static_cast<char>(byte));
  }
  for (const std::string& bytes : {std::string(), std::string("Sob Type=ship\r\n"),
                                   std::string("\"quoted\" \\ back"), every_byte}) {
    std::string json;
    AppendJsonString(json, bytes);
    EXPECT_EQ(nlohmann::json::parse(json).get<std::string>(), ui::Latin1ToUtf8(bytes)) << json;
  }
}

TEST(JsonTextTest, JsonStringUsesShortEscapesWhereThereAreSome) {
  const struct {
    std::string bytes;
    std::string json;
  } cases[] = {
      {"a\r\nb", R"("a\r\nb")"},
      {"\t\b\f", R"("\t\b\f")"},
      {std::string("\0\x1f", 2), R"("\u0000\u001f")"},
      {"say \"hi\"\\", R"("say \"hi\"\\")"},
      {"caf\xe9", "\"caf\xc3\xa9\""},
  };
  for (const auto& c : cases) {
    std::string json;
    AppendJsonString(json, c.bytes);
    EXPECT_EQ(json, c.json);
  }
}

TEST(JsonTextTest, JsonStringStaysInTheRoomItAsksFor) {
  // Exactly the room asked for, on the heap, so that the sanitizer build sees any
  // write past it; the worst case is a text of control characters.
  for (const std::string& bytes :
       {std::string(), std::string("a"), std::string("\x01"), std::string(300, '\x01'),
        std::string(300, 'a'), std::string(300, '\xe9')}) {
    std::vector<char> room(JsonStringCapacity(bytes.size()));
    const char* end = WriteJsonString(room.data(), bytes);
    ASSERT_LE(end - room.data(), static_cast<std::ptrdiff_t>(room.size()));
    EXPECT_EQ(
        nlohmann::json::parse(std::string(room.data(), static_cast<std::size_t>(end - room.data())))
            .get<std::string>(),
        ui::Latin1ToUtf8(bytes));
  }
}

TEST(JsonTextTest, TerminalTextEscapesControlBytesOnly) {
  const struct {
    std::string bytes;
    std::string shown;
  } cases[] = {
      {"Fighter1", "Fighter1"},
      {"\x1b[31mred", R"(\u001b[31mred)"},
      {"a\r\nb\tc", R"(a\r\nb\tc)"},
      {std::string("\0\x07", 2), R"(\u0000\u0007)"},
      {"say \"hi\" \\ there", "say \"hi\" \\ there"},
      {"\x7f\x9b\x80", R"(\u007f\u009b\u0080)"},
      {"caf\xe9 \xa0\xff", "caf\xc3\xa9 \xc2\xa0\xc3\xbf"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TerminalText(c.bytes), c.shown);
  }
}

// Written into the output buffer, every byte reads as it does alone, between runs of
// plain text and next to its neighbours.
TEST(JsonTextTest, TerminalTextInTheOutputBufferIsTheSameText) {
  std::string all;
  std::string expected;
  for (int byte = 0; byte < 256; ++byte) {
    const std::string one(1, static_cast<char>(byte));
    all += "ab" + one + one;
    expected += "ab" + TerminalText(one) + TerminalText(one);
  }
  EXPECT_EQ(TerminalText(all), expected);
  std::ostringstream written;
  {
    OutputBuffer out(written);
    out.Terminal(all);
    out.Terminal("");
    out.Terminal(std::string(3000000, '#'));  // more than the buffer holds
  }
  EXPECT_EQ(written.str(), expected + std::string(3000000, '#'));
}

// Plain runs are copied eight bytes at a time: every byte that needs an escape is
// still found at each place within and across those eight-byte steps.
TEST(JsonTextTest, EscapesAreFoundAtEveryPlaceInALongText) {
  const char special[] = {'"',    '\\',   '\r',   '\x01', '\x1f', '\x7f',
                          '\x80', '\xe9', '\xff', ' ',    '~'};
  for (const char c : special) {
    for (std::size_t length : {7u, 8u, 9u, 16u, 17u, 31u}) {
      for (std::size_t at = 0; at < length; ++at) {
        std::string bytes(length, 'x');
        bytes[at] = c;
        std::string json;
        AppendJsonString(json, bytes);
        EXPECT_EQ(json, nlohmann::json(ui::Latin1ToUtf8(bytes)).dump())
            << "byte " << int(static_cast<unsigned char>(c)) << " at " << at << " of " << length;
      }
    }
  }
}

// A value is written up to its first LF with every CR left out, wherever the bytes
// that are not written as themselves and the LF stand in the steps the writers take
// (32 bytes, then 8, then one), and also when the text ends before any LF. Each
// writer gets exactly the room it asks for, on the heap, for the sanitizer build.
TEST(JsonTextTest, ValuesEndAtTheirLineFeedAndLoseEveryCr) {
  const char marked[] = {'"', '\\', '\r', '\x01', '\x7f', '\x9b', '\xe9', '~'};
  std::size_t cases = 0;
  for (const std::size_t length : {1u, 7u, 8u, 9u, 16u, 31u, 32u, 33u, 40u, 63u, 64u, 71u}) {
    for (const char c : marked) {
      for (std::size_t at = 0; at < length; ++at) {
        for (const std::size_t lfAt : {length, at + 1, length - 1, std::size_t{0}}) {
          std::string bytes(length, 'a');
          bytes[at] = c;
          bytes[length / 2] = '\r';
          if (lfAt < length) {
            bytes[lfAt] = '\n';
          }
          const std::size_t lf = bytes.find('\n');
          std::string value = bytes.substr(0, lf);
          std::erase(value, '\r');
          std::string json;
          AppendJsonString(json, value);
          const std::string expectedJson = json.substr(1, json.size() - 2);
          const std::string expectedTerminal = TerminalText(value);
          const std::size_t expectedRead = lf == std::string::npos ? length : lf;
          for (const bool terminal : {false, true}) {
            std::vector<char> room(terminal ? TerminalTextCapacity(length)
                                            : JsonStringCapacity(length));
            std::size_t read = 0;
            bool ended = false;
            const char* end = terminal ? WriteTerminalValue(room.data(), bytes, read, ended)
                                       : WriteJsonValueChars(room.data(), bytes, read, ended);
            ASSERT_LE(end - room.data(), static_cast<std::ptrdiff_t>(room.size()));
            const std::string context = "byte " + std::to_string(static_cast<unsigned char>(c)) +
                                        " at " + std::to_string(at) + ", LF at " +
                                        std::to_string(lfAt) + " of " + std::to_string(length);
            EXPECT_EQ(std::string(static_cast<const char*>(room.data()), end),
                      terminal ? expectedTerminal : expectedJson)
                << context;
            EXPECT_EQ(read, expectedRead) << context;
            EXPECT_EQ(ended, lf != std::string::npos) << context;
            ++cases;
          }
        }
      }
    }
  }
  EXPECT_GT(cases, 10000u);
}

// Values dense with the usual marks (CRs, quotes, backslashes), in runs and alone,
// long enough for the writers' widest steps: each mark moves the bytes after it, and
// every place must come out right. Exactly the room asked for, as above.
TEST(JsonTextTest, ValuesDenseWithCrsAndQuotesComeOutWhole) {
  std::mt19937 random(14);
  const char alphabet[] = {'a', 'b', '"', '\\', '\r', '\r', '"', 'c', '\x01'};
  for (int round = 0; round < 3000; ++round) {
    std::string bytes(64 + random() % 160, 'a');
    const std::size_t marks = random() % bytes.size();
    for (std::size_t i = 0; i < marks; ++i) {
      bytes[random() % bytes.size()] = alphabet[random() % sizeof alphabet];
    }
    if (round % 2 == 0) {
      bytes[random() % bytes.size()] = '\n';
    }
    const std::size_t lf = bytes.find('\n');
    std::string value = bytes.substr(0, lf);
    std::erase(value, '\r');
    std::string json;
    AppendJsonString(json, value);
    for (const bool terminal : {false, true}) {
      std::vector<char> room(terminal ? TerminalTextCapacity(bytes.size())
                                      : JsonStringCapacity(bytes.size()));
      std::size_t read = 0;
      bool ended = false;
      const char* end = terminal ? WriteTerminalValue(room.data(), bytes, read, ended)
                                 : WriteJsonValueChars(room.data(), bytes, read, ended);
      ASSERT_LE(end - room.data(), static_cast<std::ptrdiff_t>(room.size()));
      EXPECT_EQ(std::string(static_cast<const char*>(room.data()), end),
                terminal ? TerminalText(value) : json.substr(1, json.size() - 2))
          << round;
      EXPECT_EQ(read, lf == std::string::npos ? bytes.size() : lf) << round;
      EXPECT_EQ(ended, lf != std::string::npos) << round;
    }
  }
}

// The writers that watch for event keys stop at one before the value's LF, wherever
// it stands in their steps, and otherwise write what the others write: an "Event"
// without a digit, or a key after the LF, is only text.
TEST(JsonTextTest, WatchingWritersStopAtAKeyInsideTheValueOnly) {
  for (const std::size_t length : {8u, 31u, 32u, 33u, 40u, 64u, 70u}) {
    for (std::size_t at = 0; at + 6 <= length; ++at) {
      for (const char* key : {"Event3", "Eventx", "Evenu3"}) {
        for (const std::size_t lfAt : {length, at / 2, at + 6, length - 1}) {
          std::string bytes(length, 'a');
          bytes.replace(at, 6, key);
          if (lfAt < length && (lfAt < at || lfAt >= at + 6)) {
            bytes[lfAt] = '\n';
          }
          const bool expected = key[5] == '3' && key[4] == 't' && bytes.find('\n') > at;
          for (const bool terminal : {false, true}) {
            std::vector<char> room(terminal ? TerminalTextCapacity(length)
                                            : JsonStringCapacity(length));
            std::vector<char> plainRoom(room.size());
            std::size_t read = 0;
            std::size_t plainRead = 0;
            bool ended = false;
            bool plainEnded = false;
            ValueStop stop;
            const char* end =
                TranscribeValue(room.data(), bytes,
                                terminal ? TerminalValueCoding() : JsonValueCoding(), true, stop);
            read = stop.read;
            ended = stop.ended;
            const bool keyInside = stop.keyInside;
            const char* plainEnd =
                terminal ? WriteTerminalValue(plainRoom.data(), bytes, plainRead, plainEnded)
                         : WriteJsonValueChars(plainRoom.data(), bytes, plainRead, plainEnded);
            const std::string context = std::string(key) + " at " + std::to_string(at) +
                                        ", LF at " + std::to_string(lfAt) + " of " +
                                        std::to_string(length);
            ASSERT_EQ(keyInside, expected) << context;
            ASSERT_LE(end - room.data(), static_cast<std::ptrdiff_t>(room.size()));
            if (!expected) {
              EXPECT_EQ(std::string(static_cast<const char*>(room.data()), end),
                        std::string(static_cast<const char*>(plainRoom.data()), plainEnd))
                  << context;
              EXPECT_EQ(read, plainRead) << context;
              EXPECT_EQ(ended, plainEnded) << context;
            }
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace quorvel::app
