#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "framework/script/script.h"
#include "tests/framework/script/script_file_refusals.h"

namespace quorvel::ui {
namespace {

TEST(LoadScript, RefusesWhatIsNoRegularFileOrTooBig) {
  char base[MAX_PATH] = {};
  ASSERT_NE(GetTempPathA(sizeof base, base), 0u);
  const std::string folder =
      std::string(base) + "quorvel_load_script_" + std::to_string(GetCurrentProcessId());
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  const std::string big = folder + "\\big.ui";
  HANDLE file = CreateFileA(big.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  LARGE_INTEGER size{};
  size.QuadPart = (LONGLONG{16} << 20) + 1;
  ASSERT_TRUE(SetFilePointerEx(file, size, nullptr, FILE_BEGIN));
  ASSERT_TRUE(SetEndOfFile(file));
  CloseHandle(file);
  const std::pair<std::string, std::string> cases[] = {
      {"NUL", "script: cannot read the script file \"NUL\": it is not a regular file"},
      {folder,
       "script: cannot read the script file " + QuoteScriptText(folder) + ": it is a folder"},
      {big, "script: the script file " + QuoteScriptText(big) +
                " holds 16777217 bytes; a script may hold at most 16777216"},
  };
  testing::ExpectLoadsRefused(cases);
  DeleteFileA(big.c_str());
  RemoveDirectoryA(folder.c_str());
}

}  // namespace
}  // namespace quorvel::ui
