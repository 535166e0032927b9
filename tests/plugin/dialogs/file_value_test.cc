#include "plugin/dialogs/file_value.h"

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

namespace quorvel::ui {
namespace {

constexpr const char* kSfx = R"(\data\sound\sfx\)";
constexpr const char* kMusic = R"(\data\sound\music\)";
constexpr const char* kNis = R"(\data\sound\music\nis\)";

struct FolderCase {
  std::string root;
  std::string hint;
  std::string folder;
};

TEST(FileChooserFolderTest, JoinsRootAndHintInTheRootsStyle) {
  const FolderCase cases[] = {
      {R"(C:\Games\ZU2)", kSfx, R"(C:\Games\ZU2\data\sound\sfx\)"},
      {R"(C:\Games\ZU2\)", kSfx, R"(C:\Games\ZU2\data\sound\sfx\)"},
      {R"(C:\Games\ZU2)", kNis, R"(C:\Games\ZU2\data\sound\music\nis\)"},
      {R"(C:\Games\ZU2)", kMusic, R"(C:\Games\ZU2\data\sound\music\)"},
      {"/games/zu2", kSfx, "/games/zu2/data/sound/sfx/"},
      {"/games/zu2/", kSfx, "/games/zu2/data/sound/sfx/"},
      {"/games/zu2", kNis, "/games/zu2/data/sound/music/nis/"},
      // Mixed roots keep the game's own separator for the hint.
      {R"(C:/Games\ZU2)", kSfx, R"(C:/Games\ZU2\data\sound\sfx\)"},
      {R"(/games/zu2\)", kSfx, R"(/games/zu2\data\sound\sfx\)"},
      // No separator anywhere in the root (a relative one): the system's style.
      {"zu2", kSfx,
       std::filesystem::path::preferred_separator == '/' ? "zu2/data/sound/sfx/"
                                                         : R"(zu2\data\sound\sfx\)"},
      {"/games/zu2", "", "/games/zu2"},
      // Unset or empty root: the chooser's own default folder.
      {"", kSfx, ""},
  };
  for (const FolderCase& c : cases) {
    EXPECT_EQ(FileChooserFolder(c.root, c.hint), c.folder) << c.root << " + " << c.hint;
  }
}

// A relative root takes the system's separator, as an absolute one of that system
// has it; roots that name their separator keep it on every system.
TEST(FileChooserFolderTest, ARelativeRootTakesTheSystemsSeparator) {
  const struct {
    char system;
    FolderCase folder;
  } cases[] = {
      {'/', {"zu2", kSfx, "zu2/data/sound/sfx/"}},
      {'/', {"games", kNis, "games/data/sound/music/nis/"}},
      {'\\', {"zu2", kSfx, R"(zu2\data\sound\sfx\)"}},
      {'/', {"zu2/", kSfx, "zu2/data/sound/sfx/"}},
      {'\\', {"games/zu2", kSfx, "games/zu2/data/sound/sfx/"}},
      {'/', {R"(games\zu2)", kSfx, R"(games\zu2\data\sound\sfx\)"}},
      {'/', {"", kSfx, ""}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FileChooserFolder(c.folder.root, c.folder.hint, c.system), c.folder.folder)
        << c.folder.root << " + " << c.folder.hint << " with " << c.system;
  }
}

TEST(FileChooserFolderTest, AFolderThatDoesNotFitTheBufferGivesTheDefaultFolder) {
  const std::string hint = kSfx;  // 16 characters
  const std::string fits(259 - hint.size(), 'a');
  EXPECT_EQ(FileChooserFolder(fits, hint).size(), 259u);
  EXPECT_EQ(FileChooserFolder(fits + "a", hint), "");
  EXPECT_EQ(FileChooserFolder(std::string(300, 'a'), hint), "");
  // The collapsed separator counts once.
  EXPECT_EQ(FileChooserFolder(fits + "\\", hint).size(), 259u);
}

struct CutCase {
  std::string path;
  std::string hint;
  std::string kept;
};

TEST(CutChosenPathTest, KeepsWhatFollowsTheHintWithBackslashes) {
  const CutCase cases[] = {
      {R"(C:\Games\ZU2\data\sound\sfx\explode\big.wav)", kSfx, R"(explode\big.wav)"},
      {"/games/zu2/data/sound/sfx/explode/big.wav", kSfx, R"(explode\big.wav)"},
      {R"(C:/Games/ZU2/data\sound/sfx\explode/big.wav)", kSfx, R"(explode\big.wav)"},
      {R"(C:\Games\ZU2\data\sound\music\nis\theme.mp3)", kMusic, R"(nis\theme.mp3)"},
      {R"(C:\Games\ZU2\data\sound\music\nis\theme.mp3)", kNis, "theme.mp3"},
      // The first occurrence counts.
      {"/g/data/sound/sfx/a/data/sound/sfx/b.wav", kSfx, R"(a\data\sound\sfx\b.wav)"},
      // Outside the game's folder: the path as chosen.
      {R"(D:\Other\big.wav)", kSfx, R"(D:\Other\big.wav)"},
      {"/home/me/big.wav", kSfx, "/home/me/big.wav"},
      // Case matters.
      {R"(C:\Games\ZU2\DATA\sound\sfx\big.wav)", kSfx, R"(C:\Games\ZU2\DATA\sound\sfx\big.wav)"},
      // The hint must occur whole.
      {"/games/zu2/data/sound/sfx", kSfx, "/games/zu2/data/sound/sfx"},
      {"/games/zu2/data/sound/sfx/", kSfx, ""},
      // An empty hint occurs at the start and drops nothing.
      {"/games/zu2/a.wav", "", "/games/zu2/a.wav"},
  };
  for (const CutCase& c : cases) {
    EXPECT_EQ(CutChosenPath(c.path, c.hint), c.kept) << c.path << " - " << c.hint;
  }
}

}  // namespace
}  // namespace quorvel::ui
