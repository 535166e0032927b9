// What differs between the systems lives in files of its own (*_posix.cc,
// *_windows.cc beside a shared header), never in a conditional block: this fails,
// naming the file and line, when a source file decides by the platform with #if.
#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>

namespace quorvel {
namespace {

namespace fs = std::filesystem;

// The folders of sources, headers and tests.
constexpr const char* kFolders[] = {"bench", "examples", "framework", "fuzz",
                                    "host",  "plugin",   "tests",     "tools"};

// Files allowed a platform condition, each with the reason. (None today; one that
// must be added names why a file of its own per platform cannot serve.)
const std::map<std::string, std::string> kAllowed = {};

// A conditional directive that names a platform.
const std::regex kPlatformCondition(
    R"(^\s*#\s*(if|ifdef|ifndef|elif)\b.*(\b_WIN32\b|\b_WIN64\b|\bWIN32\b|__linux__|\b__linux\b|__gnu_linux__|__APPLE__|__MACH__|__unix__|\b__unix\b|_MSC_VER|__MINGW32__|__MINGW64__|__CYGWIN__|__FreeBSD__))");

// Whether `path` is a file of one platform, by its name.
bool OfOnePlatform(const fs::path& path) {
  const std::string stem = path.stem().string();
  for (const char* suffix : {"_posix", "_windows", "_win32", "_linux"}) {
    const std::string end = suffix;
    if (stem.size() > end.size() && stem.compare(stem.size() - end.size(), end.size(), end) == 0) {
      return true;
    }
  }
  return false;
}

TEST(PlatformConditionsTest, NoSharedFileDecidesByPlatform) {
  const fs::path root = QUORVEL_SOURCE_DIR;
  std::string found;
  int files = 0;
  for (const char* folder : kFolders) {
    for (const auto& entry : fs::recursive_directory_iterator(root / folder)) {
      const fs::path& path = entry.path();
      const std::string extension = path.extension().string();
      if (!entry.is_regular_file() || (extension != ".h" && extension != ".cc") ||
          OfOnePlatform(path)) {
        continue;
      }
      ++files;
      const std::string name = fs::relative(path, root).generic_string();
      if (kAllowed.count(name) != 0) {
        continue;
      }
      std::ifstream text(path);
      std::string line;
      for (int number = 1; std::getline(text, line); ++number) {
        if (std::regex_search(line, kPlatformCondition)) {
          found += name + ":" + std::to_string(number) + ": " + line + "\n";
        }
      }
    }
  }
  EXPECT_GT(files, 100);
  EXPECT_EQ(found, "") << "move what differs into files of each platform";
}

// The check sees what it is meant to see.
TEST(PlatformConditionsTest, KnowsAPlatformCondition) {
  for (const char* line : {"#ifdef _WIN32", "#if defined(_WIN32) && defined(__i386__)",
                           "  #  elif __APPLE__", "#ifndef __linux__", "#if WIN32"}) {
    EXPECT_TRUE(std::regex_search(std::string(line), kPlatformCondition)) << line;
  }
  for (const char* line : {"#ifndef WIN32_LEAN_AND_MEAN", "#ifdef MADV_HUGEPAGE",
                           "// #ifdef _WIN32 in a comment", "#if defined(__x86_64__)"}) {
    EXPECT_FALSE(std::regex_search(std::string(line), kPlatformCondition)) << line;
  }
}

}  // namespace
}  // namespace quorvel
