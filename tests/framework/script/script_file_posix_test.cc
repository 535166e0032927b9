#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <utility>

#include "framework/script/script.h"
#include "tests/framework/script/script_file_refusals.h"

namespace quorvel::ui {
namespace {

TEST(LoadScript, RefusesWhatIsNoRegularFileOrTooBig) {
  char folder[] = "/tmp/quorvel_load_script_XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  const std::string fifo = std::string(folder) + "/fifo.ui";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::string big = std::string(folder) + "/big.ui";
  std::ofstream(big).close();
  ASSERT_EQ(truncate(big.c_str(), (off_t{16} << 20) + 1), 0);
  const std::pair<std::string, std::string> cases[] = {
      {fifo, "script: cannot read the script file \"" + fifo + "\": it is not a regular file"},
      {"/dev/zero", "script: cannot read the script file \"/dev/zero\": it is not a regular file"},
      {folder,
       "script: cannot read the script file \"" + std::string(folder) + "\": it is a folder"},
      {big, "script: the script file \"" + big +
                "\" holds 16777217 bytes; a script may hold at most 16777216"},
  };
  testing::ExpectLoadsRefused(cases);
  std::remove(fifo.c_str());
  std::remove(big.c_str());
  rmdir(folder);
}

}  // namespace
}  // namespace quorvel::ui
