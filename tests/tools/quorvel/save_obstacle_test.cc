#include "tools/quorvel/save_obstacle.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
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

// A save writes a temporary file beside the model, whose name does not grow with the
// model's; where the folder cannot take it, that is told before the editor opens.
TEST(SaveObstacleTest, AFolderThatCannotTakeTheTemporaryFileIsNamed) {
  TempFolder folder;
  const std::string longest = folder.File(std::string(250, 'm') + ".ms3d");
  WriteWholeFile(longest, "model");
  EXPECT_EQ(SaveObstacle(longest), std::nullopt);

  const std::string deep = folder.DeepFolder(PATH_MAX - 20);
  WriteWholeFile(deep + "/m.ms3d", "model");
  const std::optional<std::string> obstacle = SaveObstacle(deep + "/m.ms3d");
  ASSERT_TRUE(obstacle);
  EXPECT_EQ(*obstacle, "the temporary file a save writes in its folder would have a path of " +
                           std::to_string(PATH_MAX - 20 + 1 + 33) +
                           " bytes, and the system takes paths of fewer than " +
                           std::to_string(PATH_MAX));

  EXPECT_EQ(TemporaryFileObstacle("/f", 32, 4096),
            "its folder /f takes names of at most 32 bytes, and the temporary file a save writes "
            "there has a name of 33");
  EXPECT_EQ(TemporaryFileObstacle("/f", 33, 4096), std::nullopt);
  EXPECT_EQ(TemporaryFileObstacle("/f", 255, 37), std::nullopt);
  EXPECT_TRUE(TemporaryFileObstacle("/f", 255, 36));
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
