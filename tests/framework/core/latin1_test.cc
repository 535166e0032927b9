#include "framework/core/latin1.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace quorvel::ui {
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

}  // namespace
}  // namespace quorvel::ui
