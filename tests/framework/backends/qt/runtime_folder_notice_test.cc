// What Qt says while the program's QApplication lives: everything but the notice
// that XDG_RUNTIME_DIR is not set. A program of its own, since a test program of
// the suite makes its QApplication before any test runs.
#include <cstdlib>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <QStandardPaths>
#include <QtGlobal>

#include "framework/backends/qt/qt_application.h"

namespace quorvel::ui::qt {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

TEST(RuntimeFolderNoticeTest, OnlyTheNoticeIsLeftUnsaid) {
  unsetenv("XDG_RUNTIME_DIR");
  ::testing::internal::CaptureStderr();
  {
    ApplicationScope application([](const std::string&) { std::_Exit(9); });
    // Qt looks up the runtime folder as it needs it; asked here so that it surely does.
    EXPECT_FALSE(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation).isEmpty());
    qWarning("QStandardPaths: something else");
    qWarning("a warning of its own");
  }
  const std::string during = ::testing::internal::GetCapturedStderr();
  EXPECT_THAT(during, Not(HasSubstr("XDG_RUNTIME_DIR")));
  EXPECT_THAT(during, HasSubstr("QStandardPaths: something else"));
  EXPECT_THAT(during, HasSubstr("a warning of its own"));

  // Once the application is gone Qt says it again: the same look-up above did say it.
  ::testing::internal::CaptureStderr();
  QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  EXPECT_THAT(::testing::internal::GetCapturedStderr(),
              HasSubstr("QStandardPaths: XDG_RUNTIME_DIR not set"));
}

}  // namespace
}  // namespace quorvel::ui::qt
