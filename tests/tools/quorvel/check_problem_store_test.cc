#include "tools/quorvel/check_problem_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvel::app {
namespace {

void ExpectHolds(const ProblemStore& store, const std::vector<check::Problem>& problems) {
  ASSERT_EQ(store.size(), problems.size());
  std::size_t i = 0;
  for (const check::ProblemView problem : store) {
    const check::Problem kept = problem.Kept();
    EXPECT_EQ(kept.code, problems[i].code) << i;
    EXPECT_EQ(kept.severity, problems[i].severity) << i;
    EXPECT_EQ(kept.place, problems[i].place) << i;
    EXPECT_EQ(kept.message, problems[i].message) << i;
    ++i;
  }
}

// Each problem reads back as added, in order, whether its texts repeat the last
// one's, an earlier one's or none (empty, longer than a block of texts), past a
// chunk of entries, and in a copy of the store.
TEST(ProblemStoreTest, ProblemsReadBackAsAdded) {
  const auto problem = [](std::string_view code, int joint, std::string name, std::string key,
                          std::string message) {
    const check::ProblemCode& entry = check::FindProblemCode(code);
    return check::Problem{entry.code, entry.severity,
                          check::Place{joint, std::move(name), std::move(key)}, std::move(message)};
  };
  std::vector<check::Problem> problems = {
      problem("FRAME_RATE_MISSING", -1, "", "OPT_FPS", "no rate"),
      problem("EVENT_UNKNOWN", 0, "CAM_0", "Event0", "unknown"),
      problem("EVENT_UNKNOWN", 0, "CAM_0", "Event1", "unknown"),
      problem("LINE_NOT_A_KEY", 0, "CAM_0", "", "no key"),
      problem("EVENT_UNKNOWN", 0, "CAM_0", "Event2", "unknown"),  // an earlier message
      problem("EVENT_UNKNOWN", 1, "CAM_0", "Event2", "unknown"),  // the name, another joint
      problem("EVENT_UNKNOWN", 1, "Other", "Event2", "unknown"),  // another name, same joint
      problem("NOT_A_RECORD", 2, "", "", ""),
      problem("NOT_A_RECORD", 3, std::string(70000, 'n'), "k\xe9y", std::string(140000, 'm')),
      problem("EVENT_PAST_END", -1, "", "", "after the long ones"),
  };
  for (int i = 0; i < 70000; ++i) {
    problems.push_back(problem(i % 3 == 0 ? "EVENT_PAST_END" : "EVENT_UNKNOWN", i / 7,
                               "J" + std::to_string(i / 7), "Event" + std::to_string(i % 45),
                               "message " + std::to_string(i % 11)));
  }
  ProblemStore store;
  for (const check::Problem& added : problems) {
    store.Add(added);
  }
  ExpectHolds(store, problems);
  const ProblemStore copy = store;
  ExpectHolds(copy, problems);
  ProblemStore moved = std::move(store);
  ExpectHolds(moved, problems);
}

}  // namespace
}  // namespace quorvel::app
