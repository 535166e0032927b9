#include "plugin/attributes/attribute_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace quorvel {
namespace {

constexpr double kLargest = std::numeric_limits<double>::max();
constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct LookUpCase {
  std::string text;
  std::string key;
  std::string value;
};

TEST(LookUpAttributeTest, FindsValuesByTheReadersRules) {
  const std::string written = "OPT_FPS=24\r\nNum Events=2\r\nEvent0=a\r\nEvent1=b\r\n";
  const LookUpCase cases[] = {
      {written, "OPT_FPS", "24"},
      {written, "Event1", "b"},
      {written, "Event2", ""},
      {written, "opt_fps", ""},      // keys are case-sensitive
      {written, "Num Event", "=2"},  // the "s" is taken as the separator
      {"OPT_FPS = 24", "OPT_FPS", "= 24"},
      {"OPT_FPS:24", "OPT_FPS", "24"},
      {"Num Events=3", "Num Events", "3"},                    // last line without line end
      {"A=1\nB=2\n", "B", "2"},                               // LF alone
      {"A=1\rB=2\r", "A", "1B=2"},                            // CR alone does not end a line
      {"Sob Name=Event1\r\nEvent1=5|x|y\r\n", "Event1", ""},  // first occurrence wins
      {"Event10=7|x|y\r\n", "Event1", "=7|x|y"},
      {"", "OPT_FPS", ""},
      {"", "", ""},
      {"A=\r\n", "A", ""},
      {"A=\t x \r\n", "A", "\t x "},  // only CR and LF are removed
      {"A=x\r\ry\r\n", "A", "xy"},
      {"KEY", "KEY", ""},      // key at the very end: the separator is the closing LF
      {"KEY=", "KEY", ""},     // separator is the last character
      {"KEY\r\n", "KEY", ""},  // the CR is the separator
      {"KEY\n=5", "KEY", ""},  // an LF separator leaves the value empty
      {"abc\r\n", "", "bc"},   // an empty key matches at the start
      {"x=1", "1\n", ""},      // a key reaching into the closing LF
  };
  for (const LookUpCase& c : cases) {
    EXPECT_EQ(LookUpAttribute(c.text, c.key), c.value)
        << "text '" << c.text << "' key '" << c.key << "'";
  }
}

TEST(LookUpAttributeTest, ReadsTextWithEmbeddedNulCharacters) {
  const std::string text("N=a\0b\r\n", 7);
  EXPECT_EQ(LookUpAttribute(text, "N"), std::string("a\0b", 3));
}

TEST(AppendAttributeTest, WritesKeyEqualsValueCrLf) {
  std::string text;
  AppendAttribute(text, "OPT_FPS", "24");
  AppendAttribute(text, "Sob Name", "");
  AppendAttribute(text, "X", "a\r\nY=b");  // the value is not checked
  EXPECT_EQ(text, "OPT_FPS=24\r\nSob Name=\r\nX=a\r\nY=b\r\n");
  EXPECT_EQ(LookUpAttribute(text, "Y"), "b");
}

TEST(AppendAttributeTest, AcceptsKeyAndValueTakenFromTheTextItself) {
  std::string text = "Key=Value\r\n";
  text.shrink_to_fit();  // so that growing reallocates
  const std::string_view view = text;
  AppendAttribute(text, view.substr(0, 3), view.substr(4, 5));
  EXPECT_EQ(text, "Key=Value\r\nKey=Value\r\n");
}

struct WriteCase {
  double value;
  std::string text;
};

TEST(NumberToTextTest, WritesTheNumberTextForm) {
  const WriteCase cases[] = {
      {0, "0"},
      {24, "24"},
      {1000, "1000"},
      {2147483647, "2147483647"},
      {0.5, ".50"},
      {2.5, "2.50"},
      {0.25, ".250"},
      {1.25, "1.250"},
      {0.75, ".750"},
      {0.125, ".1250"},
      {100.5, "100.50"},
      {static_cast<double>(0.3f), ".30000001192"},
      {static_cast<double>(0.1f), ".100000001490"},
      {5.0001, "5"},
      {0.0001, ""},
      {0.00005, ""},
      {1.0 / 3.0, ".33333333333"},  // cut, not rounded
      {2.0 / 3.0, ".66666666666"},
  };
  for (const WriteCase& c : cases) {
    EXPECT_EQ(NumberToText(c.value), c.text) << "value " << c.value;
  }
}

TEST(NumberToTextTest, WritesExactDigitsBeyondTheUsualRange) {
  const WriteCase cases[] = {
      {2147483648.0, "2147483648"},
      {4294967295.0, "4294967295"},
      {4294967296.0, "4294967296"},
      {3000000000.5, "3000000000.50"},
      {9007199254740993.0, "9007199254740992"},  // the double nearest 2^53 + 1
      {1e20, "100000000000000000000"},
      {std::ldexp(1.0, 70), "1180591620717411303424"},
  };
  for (const WriteCase& c : cases) {
    EXPECT_EQ(NumberToText(c.value), c.text) << "value " << c.value;
  }
}

TEST(NumberToTextTest, NeverFailsOnSpecialValues) {
  const std::string largest = NumberToText(kLargest);
  EXPECT_EQ(largest.size(), 309u);
  EXPECT_EQ(largest.substr(0, 17), "17976931348623157");
  EXPECT_EQ(NumberToText(kInfinity), largest);
  EXPECT_EQ(NumberToText(-kInfinity), largest);
  EXPECT_EQ(NumberToText(kNaN), "0");
  EXPECT_EQ(NumberToText(-0.0), "0");
  EXPECT_EQ(NumberToText(std::numeric_limits<double>::denorm_min()), "");
}

TEST(NumberToTextTest, WritesNegativesAsTheDigitsOfTheirWholePart) {
  const WriteCase cases[] = {
      {-5, "5"},
      {-5.75, "5"},
      {-0.5, ""},
      {-2147483648.0, "2147483648"},
      {-1e20, "100000000000000000000"},
  };
  for (const WriteCase& c : cases) {
    EXPECT_EQ(NumberToText(c.value), c.text) << "value " << c.value;
  }
}

struct ReadCase {
  std::string text;
  double value;
};

TEST(TextToNumberTest, ReadsTheLeadingNumber) {
  const ReadCase cases[] = {
      {"24", 24},
      {"", 0},
      {".50", 0.5},
      {"1,5", 1.5},
      {"2.5E-1", 0.25},
      {"1e+2", 100},
      {"1e", 1},
      {"-5", 0},
      {" 5", 0},
      {"5 ", 5},
      {"12abc", 12},
      {"=24", 0},
      {"1e-+2", 100},
      {"1e--2", 100},
      {"1E2.5", 1e25},
      {"e5", 0},
      {".", 0},
      {"0", 0},
      {"007", 7},
      {"2147483647", 2147483647},
      {"4294967296", 4294967296.0},
  };
  for (const ReadCase& c : cases) {
    EXPECT_EQ(TextToNumber(c.text), c.value) << "text '" << c.text << "'";
  }
  EXPECT_DOUBLE_EQ(TextToNumber("1.2.3"), 1.23);
  EXPECT_DOUBLE_EQ(TextToNumber("29.97"), 29.97);
}

TEST(TextToNumberTest, StaysFiniteBeyondTheDoubleRange) {
  const std::string manyNines(400, '9');
  const std::string manyZeros(2000, '0');
  const ReadCase cases[] = {
      {"1e400", kLargest},
      {"0e400", 0},
      {"1e-400", 0},
      {"5e308", kLargest},
      {"1e99999999999999999999999999", kLargest},
      {"1e-99999999999999999999999999", 0},
      {manyNines, kLargest},
      {manyNines + "e-400", 0},
      {"." + manyZeros + "1", 0},
      {"1." + manyZeros + "e5", 1e5},
  };
  for (const ReadCase& c : cases) {
    const double read = TextToNumber(c.text);
    EXPECT_TRUE(std::isfinite(read)) << "text '" << c.text.substr(0, 40) << "'";
    EXPECT_EQ(read, c.value) << "text '" << c.text.substr(0, 40) << "'";
  }
}

TEST(NumberTextRoundTripTest, WholeNumbersReadBackExactly) {
  const double boundaries[] = {0,          1,          9,          10,
                               99,         100,        65535,      65536,
                               999999999,  1000000000, 2147483646, 2147483647,
                               2147483648, 4294967295, 4294967296, 9007199254740992.0};
  for (const double n : boundaries) {
    EXPECT_EQ(TextToNumber(NumberToText(n)), n) << "n " << n;
  }
}

// Fractions reach the writer only as 32-bit floats from the number dialog. For
// them the place count is found with exact products, so the text reads back to
// the same float.
TEST(NumberTextRoundTripTest, FloatsReadBackToTheSameFloat) {
  std::vector<float> values = {0.5f,    0.3f,        0.1f,          29.97f,      123456.7f,
                               0.0002f, 16777215.0f, 2147483520.0f, 1.0f / 3.0f, 1e-3f};
  std::mt19937 random(7);
  std::uniform_real_distribution<float> anywhere(0.0002f, 2147483520.0f);
  std::uniform_real_distribution<float> small(0.0002f, 100.0f);
  for (int i = 0; i < 20000; ++i) {
    values.push_back(anywhere(random));
    values.push_back(small(random));
  }
  for (const float value : values) {
    const std::string text = NumberToText(value);
    // A fraction of 0.0001 or less is dropped on purpose.
    const double whole = std::trunc(value);
    const double expected = value - whole > 0.0001 ? value : whole;
    ASSERT_EQ(static_cast<float>(TextToNumber(text)), static_cast<float>(expected))
        << "value " << value << " text " << text;
  }
}

TEST(NumberTextRoundTripTest, ADoubleFractionIsCutWhereItsProductTurnedWhole) {
  // 29.97 * 100 rounds to exactly 2997, so only three places are written, and
  // the stored binary value lies just below .97.
  EXPECT_EQ(NumberToText(29.97), "29.969");
}

TEST(NumberTextRoundTripTest, LargeValuesStayReadable) {
  for (const double x : {1e20, std::ldexp(1.0, 70), 1e300, kLargest}) {
    const double read = TextToNumber(NumberToText(x));
    EXPECT_NEAR(read / x, 1.0, 1e-12) << "x " << x;
  }
}

struct TruncateCase {
  double value;
  uint32_t toUInt32;
  uint32_t lowBits;
  int32_t toInt32;
};

TEST(WholeNumberTest, ConvertsWithoutUndefinedBehaviour) {
  constexpr uint32_t kMaxU = 4294967295u;
  constexpr int32_t kMaxI = 2147483647;
  constexpr int32_t kMinI = -2147483647 - 1;
  const TruncateCase cases[] = {
      {0, 0, 0, 0},
      {7.9, 7, 7, 7},
      {-7.9, 0, kMaxU - 6, -7},
      {-0.5, 0, 0, 0},
      {2147483647.5, 2147483647u, 2147483647u, kMaxI},
      {2147483648.0, 2147483648u, 2147483648u, kMaxI},
      {4294967295.9, kMaxU, kMaxU, kMaxI},
      {4294967296.0, kMaxU, 0, kMaxI},
      {4294967297.0, kMaxU, 1, kMaxI},
      {-2147483648.0, 0, 2147483648u, kMinI},
      {-1e30, 0, 0, kMinI},
      {1e30, kMaxU, 0, kMaxI},  // 1e30 is a multiple of 2^32
      {18446744073709551616.0 + 8589934592.0, kMaxU, 0, kMaxI},
      {kLargest, kMaxU, 0, kMaxI},
      {kInfinity, kMaxU, 0, kMaxI},
      {-kInfinity, 0, 0, kMinI},
      {kNaN, 0, 0, 0},
  };
  for (const TruncateCase& c : cases) {
    EXPECT_EQ(TruncateToUInt32(c.value), c.toUInt32) << "value " << c.value;
    EXPECT_EQ(LowBits32(c.value), c.lowBits) << "value " << c.value;
    EXPECT_EQ(TruncateToInt32(c.value), c.toInt32) << "value " << c.value;
  }
  EXPECT_EQ(LowBits32(4294967296.0 * 3 + 5), 5u);
}

}  // namespace
}  // namespace quorvel
