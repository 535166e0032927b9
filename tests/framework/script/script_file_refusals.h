// Test support: script files that loading refuses, each with the message it gives.
#pragma once

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <utility>

#include "framework/script/script.h"

namespace quorvel::ui::testing {

// Loads each path and expects it refused with its message.
inline void ExpectLoadsRefused(std::span<const std::pair<std::string, std::string>> cases) {
  for (const auto& [path, message] : cases) {
    try {
      LoadScript(path);
      ADD_FAILURE() << "read: " << path;
    } catch (const ScriptFailure& failure) {
      EXPECT_EQ(failure.what(), message);
    }
  }
}

}  // namespace quorvel::ui::testing
