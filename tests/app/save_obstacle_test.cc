#include "app/save_obstacle.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "tests/support/ms3d_fixture.h"

namespace quorvel::app {
namespace {

using quorvel::testing::TempFolder;
using quorvel::testing::WriteWholeFile;
using ::testing::HasSubstr;

// What a save would refuse is told before the editor opens, as plainly as a file
// that cannot be written.
TEST(SaveObstacleTest, NamesWhatASaveWouldRefuse) {
  struct Case {
    const char* name;
    void (*prepare)(const std::string& model, const std::string& folder);
    bool allowReadOnly;
    const char* obstacle;  // nullptr: none
  };
  const Case cases[] = {
      {"plain", [](const std::string&, const std::string&) {}, false, nullptr},
      {"hard link",
       [](const std::string& model, const std::string& folder) {
         ASSERT_EQ(link(model.c_str(), (folder + "/other.ms3d").c_str()), 0);
       },
       false, "it has 2 names (hard links)"},
      {"read-only",
       [](const std::string& model, const std::string&) {
         ASSERT_EQ(chmod(model.c_str(), 0444), 0);
       },
       false, geteuid() == 0 ? "it is read-only" : "the file cannot be written"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    const std::string model = folder.File("model.ms3d");
    WriteWholeFile(model, "model");
    c.prepare(model, folder.File(""));
    const std::optional<std::string> obstacle = SaveObstacle(model, c.allowReadOnly);
    if (c.obstacle == nullptr) {
      EXPECT_FALSE(obstacle) << *obstacle;
    } else {
      ASSERT_TRUE(obstacle);
      EXPECT_THAT(*obstacle, HasSubstr(c.obstacle));
    }
  }
}

TEST(SaveObstacleTest, ReadOnlyIsNoObstacleWhenAllowedForRoot) {
  if (geteuid() != 0) {
    GTEST_SKIP() << "only root may write a read-only file";
  }
  TempFolder folder;
  const std::string model = folder.File("model.ms3d");
  WriteWholeFile(model, "model");
  ASSERT_EQ(chmod(model.c_str(), 0444), 0);
  EXPECT_FALSE(SaveObstacle(model, true));
}

}  // namespace
}  // namespace quorvel::app
