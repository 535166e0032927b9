#include "plugin/pages/nis_attrib.h"

#include <gtest/gtest.h>
#include <string>

#include "framework/core/constants.h"
#include "tests/plugin/pages/page_harness.h"

namespace quorvel::ui {
namespace {

constexpr char kPositiveInteger[] = "Please enter a positive integer.";
constexpr char kRange[] = "Please enter an integer between 1 and 1000.";

TEST(NisAttribTest, TabShowsTheTemplateTitleAndAnUntouchedPageSavesTheDefault) {
  CNISAttrib page;
  page.LoadAttributes("");
  const int result = RunPagesUnderScript({&page}, R"(
window sheet
expect-title Quorvel
expect-tabs ["NIS Attributes"]
expect 11000 24
click 1
)");
  EXPECT_EQ(result, IDOK);
  std::string saved;
  page.SaveAttributes(saved);
  EXPECT_EQ(saved, "OPT_FPS=24\r\nNum Events=0\r\n");
}

// What the user types into the frame-rate edit, and what pressing OK makes of it.
struct FrameRateCase {
  const char* typed;
  const char* message;  // nullptr: accepted
  uint32_t frameRate;   // after OK (accepted) or after the refusal
};

class NisAttribFrameRateTest : public ::testing::TestWithParam<FrameRateCase> {};

TEST_P(NisAttribFrameRateTest, TakesBackOrRefusesWithTheRightMessage) {
  const FrameRateCase& c = GetParam();
  CNISAttrib page;
  page.LoadAttributes("OPT_FPS=30\r\n");
  std::string script = "window sheet\nset 11000 \"" + std::string(c.typed) + "\"\nclick 1\n";
  if (c.message != nullptr) {
    // Refused: the sheet stays open until the user gives up.
    script += "window message\nexpect-message " + std::string(c.message) +
              "\nanswer ok\nwindow sheet\nexpect-active 0\nclick 2\n";
  }
  const int result = RunPagesUnderScript({&page}, script);
  EXPECT_EQ(result, c.message == nullptr ? IDOK : IDCANCEL);
  EXPECT_EQ(page.frameRate, c.frameRate);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NisAttribFrameRateTest,
    ::testing::Values(FrameRateCase{"25", nullptr, 25}, FrameRateCase{"0025", nullptr, 25},
                      FrameRateCase{"1", nullptr, 1}, FrameRateCase{"1000", nullptr, 1000},
                      // Converted, then out of range: the field holds the number.
                      FrameRateCase{"0", kRange, 0}, FrameRateCase{"1001", kRange, 1001},
                      FrameRateCase{"12345678901", kRange, 4294967295u},
                      // Not converted: the field keeps its value.
                      FrameRateCase{"", kPositiveInteger, 30}));

// A stored rate outside 1..1000 is shown as it is, and neither OK nor another tab
// gets past it until the user corrects it.
TEST(NisAttribTest, StoredRateOutsideTheRangeHoldsThePageUntilCorrected) {
  for (const char* comment : {"OPT_FPS=0\r\n", "OPT_FPS=1001\r\n", "OPT_FPS=abc\r\n"}) {
    SCOPED_TRACE(comment);
    CNISAttrib page;
    CNISAttrib second;
    page.LoadAttributes(comment);
    const std::string shown = page.frameRate == 1001 ? "1001" : "0";
    const int result = RunPagesUnderScript({&page, &second}, "window sheet\nexpect 11000 " + shown +
                                                                 R"(
click 1
window message
expect-message Please enter an integer between 1 and 1000.
answer ok
tab 1
window message
expect-message Please enter an integer between 1 and 1000.
answer ok
window sheet
expect-active 0
set 11000 30
click 1
)");
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(page.frameRate, 30u);
  }
}

TEST(NisAttribTest, ReactivationShowsTheNumberAsTakenBack) {
  CNISAttrib page;
  CNISAttrib second;
  const int result = RunPagesUnderScript({&page, &second}, R"(
window sheet
set 11000 0025
tab 1
tab 0
expect 11000 25
click 2
)");
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(page.frameRate, 25u);
}

}  // namespace
}  // namespace quorvel::ui
