#include "tools/check/problem.h"

#include <gtest/gtest.h>

#include <set>

#include "tests/support/ms3d_fixture.h"

namespace quorvel::check {
namespace {

TEST(ProblemTest, CodesAreUniqueAndFound) {
  std::set<std::string_view> seen;
  for (const ProblemCode& code : ProblemCodes()) {
    EXPECT_TRUE(seen.insert(code.code).second) << code.code;
    EXPECT_EQ(&FindProblemCode(code.code), &code);
  }
  EXPECT_THROW(FindProblemCode("NO_SUCH_CODE"), std::out_of_range);
}

// docs/check.md is what users read: every code stands in its table, with the
// severity the checker gives it.
TEST(ProblemTest, DocsListEveryCodeWithItsSeverity) {
  const std::string docs = quorvel::testing::ReadWholeFile(QUORVEL_SOURCE_DIR "/docs/check.md");
  for (const ProblemCode& code : ProblemCodes()) {
    const std::string row =
        "| `" + std::string(code.code) + "` | " + std::string(SeverityName(code.severity)) + " |";
    EXPECT_NE(docs.find(row), std::string::npos) << "docs/check.md lacks the row " << row;
  }
}

}  // namespace
}  // namespace quorvel::check
