#include "tools/check/game_files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/ms3d_fixture.h"

namespace quorvel::check {
namespace {

TEST(GameFilesTest, FindsFilesIgnoringCaseAndStaysBelowTheRoot) {
  quorvel::testing::TempFolder folder;
  std::filesystem::create_directories(folder.File("game/Data/Music"));
  quorvel::testing::WriteWholeFile(folder.File("game/Data/Music/Theme.MP3"), "x");
  quorvel::testing::WriteWholeFile(folder.File("outside.wav"), "x");
  GameFiles files(folder.File("game"));
  EXPECT_EQ(files.Find("\\data\\music\\theme.mp3"), folder.File("game/Data/Music/Theme.MP3"));
  EXPECT_EQ(files.Find("data/MUSIC/THEME.mp3"), folder.File("game/Data/Music/Theme.MP3"));
  EXPECT_FALSE(files.Find("data\\music\\other.mp3"));
  EXPECT_FALSE(files.Find("data\\music"));  // a folder is not a file
  EXPECT_FALSE(files.Find("..\\outside.wav"));
  EXPECT_FALSE(files.Find(""));
}

TEST(GameFilesTest, FullPaths) {
  EXPECT_TRUE(IsFullPath("C:\\Games\\x.wav"));
  EXPECT_TRUE(IsFullPath("\\\\server\\x.wav"));
  EXPECT_TRUE(IsFullPath("/tmp/x.wav"));
  EXPECT_FALSE(IsFullPath("explode\\big.wav"));
}

}  // namespace
}  // namespace quorvel::check
