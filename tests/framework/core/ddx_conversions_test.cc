#include "framework/core/ddx_conversions.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <utility>

namespace quorvel::ui {
namespace {

struct UnsignedCase {
  const char* text;
  std::optional<uint32_t> expected;
};

TEST(ParseUnsignedText, FollowsThePlatformConversion) {
  const UnsignedCase cases[] = {
      {"25", 25u},
      {"  25 ", 25u},
      {"\t25\t", 25u},
      {"0025", 25u},
      {"0", 0u},
      {"  0  ", 0u},
      {"000", 0u},
      {"4294967295", 4294967295u},
      {"4294967296", 4294967295u},  // saturates
      {"12345678901", 4294967295u},
      {"99999999999999999999999", 4294967295u},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"-5", std::nullopt},
      {" -0", std::nullopt},
      {"+5", std::nullopt},  // a sign is not a digit
      {"+0", std::nullopt},
      {"abc", std::nullopt},
      {"12abc", std::nullopt},
      {"12 3", std::nullopt},
      {"1.5", std::nullopt},
      {"\n5", std::nullopt},
  };
  for (const UnsignedCase& c : cases) {
    EXPECT_EQ(ParseUnsignedText(c.text), c.expected) << "text '" << c.text << "'";
  }
}

struct FloatCase {
  std::string text;
  std::optional<float> expected;
};

TEST(ParseFloatText, TakesAWholeDecimalNumberWithBlanksAround) {
  const FloatCase cases[] = {
      {"2.75", 2.75f},
      {" 2.75\t", 2.75f},
      {"-1.5", -1.5f},
      {"+3", 3.0f},
      {".5", 0.5f},
      {"5.", 5.0f},
      {"1e3", 1000.0f},
      {"1E-2", 0.01f},
      {"0", 0.0f},
      {"1e-400", 0.0f},  // too small for any float: zero
      {"0.1", 0.1f},     // narrowed to float
      // Too small or too large however it is written: digits or exponent.
      {"0." + std::string(330, '0') + "1", 0.0f},
      {"0.0001e-330", 0.0f},
      {"-1e-400", 0.0f},
      {"1" + std::string(400, '0'), std::nullopt},
      {"0.001e311", std::nullopt},
      {"1000e-1000", 0.0f},
      {"", std::nullopt},
      {" ", std::nullopt},
      {".", std::nullopt},
      {"-", std::nullopt},
      {"abc", std::nullopt},
      {"2.5x", std::nullopt},
      {"2 5", std::nullopt},
      {"1e", std::nullopt},
      {"0x1p3", std::nullopt},
      {"inf", std::nullopt},
      {"nan", std::nullopt},
      {"1e39", std::nullopt},  // beyond float
      {"1e400", std::nullopt},
      {"1,5", std::nullopt},
  };
  for (const FloatCase& c : cases) {
    EXPECT_EQ(ParseFloatText(c.text), c.expected) << "text '" << c.text << "'";
  }
}

TEST(FormatFloatText, WritesSixSignificantDigitsWhereTheyReadBack) {
  EXPECT_EQ(FormatFloatText(0.5f), "0.5");
  EXPECT_EQ(FormatFloatText(2.75f), "2.75");
  EXPECT_EQ(FormatFloatText(30.0f), "30");
  EXPECT_EQ(FormatFloatText(1e8f), "1e+08");
  EXPECT_EQ(FormatFloatText(0.0f), "0");
  EXPECT_EQ(FormatFloatText(-0.0001f), "-0.0001");
  EXPECT_EQ(FormatFloatText(0.00001f), "1e-05");
  EXPECT_EQ(FormatFloatText(0.1f), "0.1");
}

// Where six digits would change the value, the shortest text that reads back as the
// same float.
TEST(FormatFloatText, ReadsBackAsTheSameFloat) {
  const std::pair<float, std::string_view> cases[] = {
      {1234567.0f, "1234567"},
      {16777216.0f, "16777216"},
      {123456.7f, "123456.7"},
      {0.3f, "0.3"},
      {1e-7f, "1e-07"},
      {std::numeric_limits<float>::max(), "3.4028235e+38"},
      {std::numeric_limits<float>::denorm_min(), "1.4013e-45"},
      {-1234567.0f, "-1234567"},
  };
  for (const auto& [value, text] : cases) {
    EXPECT_EQ(FormatFloatText(value), text);
    EXPECT_EQ(ParseFloatText(FormatFloatText(value)), value) << text;
  }
}

TEST(FormatUnsignedText, HasNoSignOrLeadingZeros) {
  EXPECT_EQ(FormatUnsignedText(0), "0");
  EXPECT_EQ(FormatUnsignedText(25), "25");
  EXPECT_EQ(FormatUnsignedText(4294967295u), "4294967295");
}

TEST(RangeRefusedMessage, NamesTheBounds) {
  EXPECT_EQ(RangeRefusedMessage(1, 1000), "Please enter an integer between 1 and 1000.");
}

}  // namespace
}  // namespace quorvel::ui
