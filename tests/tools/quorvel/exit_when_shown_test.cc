// What the environment asks of the timing probe: an empty variable asks for nothing,
// as an unset one does, so that clearing it never ends an editing run unsaved.
#include "tools/quorvel/exit_when_shown_qt.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <optional>
#include <string>

namespace quorvel::app {
namespace {

TEST(ExitWhenShownTest, OnlyAValueAsksForTheProbe) {
  const struct {
    const char* value;  // nullptr: unset
    std::optional<std::string> request;
  } cases[] = {
      {nullptr, std::nullopt},
      {"", std::nullopt},
      {"1", "1"},
      {"open-close:11014,last-tab", "open-close:11014,last-tab"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value == nullptr ? "unset" : c.value);
    if (c.value == nullptr) {
      ASSERT_EQ(unsetenv(kExitWhenShownVariable), 0);
    } else {
      ASSERT_EQ(setenv(kExitWhenShownVariable, c.value, 1), 0);
    }
    EXPECT_EQ(ExitWhenShownRequest(), c.request);
  }
  unsetenv(kExitWhenShownVariable);
}

}  // namespace
}  // namespace quorvel::app
