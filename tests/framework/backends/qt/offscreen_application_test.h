// Test support: a fixture whose suite runs with a QApplication on the offscreen
// platform, made for the suite unless the program already has one.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <optional>

#include "framework/backends/qt/qt_application.h"

namespace quorvel::ui::qt::testing {

class OffscreenApplicationTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (QCoreApplication::instance() == nullptr) {
      qputenv("QT_QPA_PLATFORM", "offscreen");
      application_.emplace();
    }
  }
  static void TearDownTestSuite() { application_.reset(); }

 private:
  inline static std::optional<ApplicationScope> application_;
};

}  // namespace quorvel::ui::qt::testing
