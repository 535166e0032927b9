// The Windows pieces of the quorvel command that touch the model's file: the lock
// that holds off a second edit while the model stays readable, and what plainly
// stops a save.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <optional>

#include "tests/support/ms3d_fixture.h"
#include "tools/quorvel/command_error.h"
#include "tools/quorvel/model_file.h"
#include "tools/quorvel/model_lock.h"
#include "tools/quorvel/save_obstacle.h"

namespace quorvel::app {
namespace {

using quorvel::testing::ReadWholeFile;
using quorvel::testing::TempFolder;
using quorvel::testing::WriteWholeFile;
using ::testing::HasSubstr;

class WindowsFileStepsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = folder_.Path() + "\\fleet.ms3d";
    WriteWholeFile(path_, ReadWholeFile(QUORVEL_SOURCE_DIR "/examples/fleet.ms3d"));
  }
  void TearDown() override { SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL); }

  TempFolder folder_;
  std::string path_;
};

TEST_F(WindowsFileStepsTest, TheLockHoldsOffASecondEditButNotReaders) {
  {
    const ModelLock first = ModelLock::Take(path_, false);
    ASSERT_TRUE(first.Held());
    try {
      ModelLock::Take(path_, false);
      ADD_FAILURE() << "a second lock was taken";
    } catch (const CommandError& error) {
      EXPECT_EQ(error.ExitStatus(), kExitFileError);
      EXPECT_THAT(error.what(), HasSubstr(path_ + ": another process is editing this file"));
    }
    // The model's bytes stay free: it opens, for saving too, while locked.
    EXPECT_NE(OpenModelFile(path_), nullptr);
  }
  EXPECT_TRUE(ModelLock::Take(path_, false).Held());
  // What cannot be opened is not locked; opening the model says why.
  EXPECT_FALSE(ModelLock::Take(folder_.File("missing.ms3d"), false).Held());
  EXPECT_FALSE(ModelLock::Take(folder_.Path(), false).Held());
}

TEST_F(WindowsFileStepsTest, ReadOnlyIsTheObstacleThatCanBeSeenBeforehand) {
  EXPECT_EQ(SaveObstacle(path_), std::nullopt);
  EXPECT_EQ(SaveObstacle(folder_.File("missing.ms3d")), std::nullopt);
  ASSERT_TRUE(SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_READONLY));
  for (const bool allowReadOnly : {false, true}) {
    const std::optional<std::string> obstacle = SaveObstacle(path_, allowReadOnly);
    ASSERT_TRUE(obstacle.has_value());
    EXPECT_THAT(*obstacle, HasSubstr("read-only"));
  }
}

}  // namespace
}  // namespace quorvel::app
