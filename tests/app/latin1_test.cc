#include "app/latin1.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <optional>
#include <vector>

namespace quorvel::app {
namespace {

TEST(Latin1Test, EachByteBecomesTheCodePointOfItsNumber) {
  EXPECT_EQ(Latin1ToUtf8("plain\r\n"), "plain\r\n");
  EXPECT_EQ(Latin1ToUtf8("\x7f"), "\x7f");
  EXPECT_EQ(Latin1ToUtf8("\x80"), "\xc2\x80");
  EXPECT_EQ(Latin1ToUtf8("caf\xe9"), "caf\xc3\xa9");
  EXPECT_EQ(Latin1ToUtf8("\xff"), "\xc3\xbf");
  EXPECT_EQ(Latin1ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Latin1Test, CommandLineTextComesBackToBytesWhenItCan) {
  const struct {
    std::string text;
    std::optional<std::string> bytes;
    std::string shown;
  } cases[] = {
      {"Rock", "Rock", "Rock"},
      {"J\xc3\xa4ger", "J\xe4ger", "J\xc3\xa4ger"},
      {"\xc2\x80\xc3\xbf", "\x80\xff", "\xc2\x80\xc3\xbf"},
      {"\xe2\x82\xac", std::nullopt, "\xe2\x82\xac"},              // U+20AC: valid, no byte
      {"J\xe4ger", std::nullopt, "J\xc3\xa4ger"},                  // not UTF-8: each byte shown
      {"\xc3", std::nullopt, "\xc3\x83"},                          // cut short
      {"\xc0\xaf", std::nullopt, "\xc3\x80\xc2\xaf"},              // overlong
      {"\xed\xa0\x80", std::nullopt, "\xc3\xad\xc2\xa0\xc2\x80"},  // a surrogate
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8ToLatin1(c.text), c.bytes) << c.text;
    EXPECT_EQ(ShownText(c.text), c.shown) << c.text;
  }
}

TEST(Latin1Test, JsonStringReadsBackAsTheSameCodePoints) {
  std::string every_byte;
  for (int byte = 0; byte < 256; ++byte) {
    every_byte.push_back(static_cast<char>(byte));
  }
  for (const std::string& bytes : {std::string(), std::string("Sob Type=ship\r\n"),
                                   std::string("\"quoted\" \\ back"), every_byte}) {
    std::string json;
    AppendJsonString(json, bytes);
    EXPECT_EQ(nlohmann::json::parse(json).get<std::string>(), Latin1ToUtf8(bytes)) << json;
  }
}

TEST(Latin1Test, JsonStringUsesShortEscapesWhereThereAreSome) {
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

TEST(Latin1Test, JsonStringStaysInTheRoomItAsksFor) {
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
        Latin1ToUtf8(bytes));
  }
}

}  // namespace
}  // namespace quorvel::app
