#include "app/latin1.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace quorvel::app
