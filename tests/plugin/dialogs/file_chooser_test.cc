#include "plugin/dialogs/file_chooser.h"

#include <string>

#include <gtest/gtest.h>

#include "framework/core/file_dialog.h"
#include "tests/plugin/dialogs/scripted_user.h"

namespace quorvel::ui {
namespace {

using testing::PlayScript;
using testing::ScriptRecord;

TEST(FileChooserTest, AsksWithTheGamesRequestAndReturnsTheChosenPath) {
  ScriptRecord record;
  std::optional<std::string> chosen;
  ASSERT_TRUE(PlayScript(R"(window file
expect-title Open
expect-folder /games/zu2/data/sound/sfx/
choose /games/zu2/data/sound/sfx/explode/big.wav
)",
                         [&] { chosen = ChooseOpenFile("/games/zu2/data/sound/sfx/"); }, &record));
  EXPECT_EQ(chosen, "/games/zu2/data/sound/sfx/explode/big.wav");
  ASSERT_EQ(record.fileRequests.size(), 1u);
  const FileChooserRequest& request = record.fileRequests[0];
  ASSERT_EQ(request.filters.size(), 1u);
  EXPECT_EQ(request.filters[0].description, "All Files (*.*)");
  EXPECT_EQ(request.filters[0].pattern, "*.*");
  EXPECT_EQ(request.filterIndex, 0);
  EXPECT_EQ(request.initialFile, "");
  EXPECT_EQ(request.defaultExtension, "*.*");
  EXPECT_EQ(request.flags, 0x806u);
}

TEST(FileChooserTest, CancelGivesNoFile) {
  std::optional<std::string> chosen = "unchanged";
  ASSERT_TRUE(PlayScript("window file\ncancel\n", [&] { chosen = ChooseOpenFile(""); }));
  EXPECT_FALSE(chosen);
}

TEST(FileChooserTest, AFolderLongerThanTheBufferIsNotPassed) {
  std::optional<std::string> chosen;
  ASSERT_TRUE(PlayScript("window file\nexpect-folder \"\"\nchoose /a.wav\n",
                         [&] { chosen = ChooseOpenFile(std::string(300, 'f')); }));
  EXPECT_EQ(chosen, "/a.wav");
  ASSERT_TRUE(PlayScript("window file\nexpect-folder \"\"\ncancel\n",
                         [&] { chosen = ChooseOpenFile(std::string(260, 'f')); }));
  const std::string longest(259, 'f');
  ASSERT_TRUE(PlayScript("window file\nexpect-folder " + longest + "\ncancel\n",
                         [&] { chosen = ChooseOpenFile(longest); }));
}

TEST(FileChooserTest, APathLongerThanTheBufferIsNoFile) {
  std::optional<std::string> chosen = "unchanged";
  // Each part within what a file system allows of one name, the whole beyond the buffer.
  const std::string tooLong = "/" + std::string(150, 'p') + "/" + std::string(150, 'p') + ".wav";
  ASSERT_TRUE(PlayScript("window file\nchoose " + tooLong + "\nwindow message\nanswer ok\n",
                         [&] { chosen = ChooseOpenFile(""); }));
  EXPECT_FALSE(chosen);
}

}  // namespace
}  // namespace quorvel::ui
