#include "plugin/dialogs/event_value.h"

#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "plugin/dialogs/float_input.h"

namespace quorvel::ui {
namespace {

TEST(EventValueTest, UnquoteRemovesOnlyAnEnclosingPair) {
  const std::pair<std::string, std::string> cases[] = {
      {R"("boom")", "boom"},  {R"("")", ""},          {R"(")", R"(")"}, {R"("a"b")", R"(a"b)"},
      {R"(abc")", R"(abc")"}, {R"("abc)", R"("abc)"}, {"abc", "abc"},   {"", ""},
  };
  for (const auto& [stored, shown] : cases)
    EXPECT_EQ(UnquoteValue(stored), shown) << stored;
}

TEST(EventValueTest, QuoteAddsAPair) {
  EXPECT_EQ(QuoteValue(""), R"("")");
  EXPECT_EQ(QuoteValue(R"(a"b)"), R"("a"b")");
}

TEST(EventValueTest, LineBreakersAreBarAndLineEnds) {
  EXPECT_FALSE(BreaksEventLine("explode\\big.wav \"x\" 1,2"));
  EXPECT_TRUE(BreaksEventLine("a|b"));
  EXPECT_TRUE(BreaksEventLine("a\rb"));
  EXPECT_TRUE(BreaksEventLine("a\n"));
}

TEST(StorableEventNumberTest, NoSignAndExactBeyondTwoToThe31) {
  EXPECT_TRUE(IsStorableEventNumber(0.0f));
  EXPECT_TRUE(IsStorableEventNumber(-0.0f));  // written as 0
  EXPECT_TRUE(IsStorableEventNumber(2.75f));
  EXPECT_TRUE(IsStorableEventNumber(2147483520.0f));
  EXPECT_TRUE(IsStorableEventNumber(3.0e9f));                  // whole numbers are written exactly
  EXPECT_FALSE(IsStorableEventNumber(881714385951653888.0f));  // read back as another number
  EXPECT_FALSE(IsStorableEventNumber(-0.5f));
  EXPECT_FALSE(IsStorableEventNumber(-3.0f));
  EXPECT_FALSE(IsStorableEventNumber(std::numeric_limits<float>::quiet_NaN()));
}

TEST(NarrowToFloatTest, StaysWithinTheFloatRange) {
  EXPECT_EQ(NarrowToFloat(0.5), 0.5f);
  EXPECT_EQ(NarrowToFloat(std::numeric_limits<double>::max()), std::numeric_limits<float>::max());
  EXPECT_EQ(NarrowToFloat(-1e300), std::numeric_limits<float>::lowest());
  EXPECT_EQ(NarrowToFloat(std::nan("")), 0.0f);
}

}  // namespace
}  // namespace quorvel::ui
