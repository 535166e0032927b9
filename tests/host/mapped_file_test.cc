#include "host/mapped_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>

#include "host/model_document.h"
#include "host/unique_fd.h"
#include "tests/support/ms3d_fixture.h"

namespace quorvel::host {
namespace {

using quorvel::testing::SampleFixture;
using quorvel::testing::TempFolder;
using quorvel::testing::WriteMs3d;
using quorvel::testing::WriteWholeFile;

// Reads the byte at `at` so that the compiler cannot leave the read out.
char Touch(const char* at) {
  return *static_cast<const volatile char*>(at);
}

class MappedFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    ASSERT_TRUE(AllowMappedReads());
    path_ = folder_.File("model.ms3d");
    bytes_ = std::string(3 * 4096 + 17, 'm');
    bytes_.back() = 'z';
    WriteWholeFile(path_, bytes_);
    file_ = UniqueFd(open(path_.c_str(), O_RDONLY | O_CLOEXEC));
  }

  TempFolder folder_;
  std::string path_;
  std::string bytes_;
  UniqueFd file_;
};

TEST_F(MappedFileTest, MapsTheFileAsItStands) {
  const auto mapped = MappedFile::Map(file_.get(), bytes_.size(), path_);
  ASSERT_NE(mapped, nullptr);
  EXPECT_EQ(std::string(mapped->Data(), mapped->Size()), bytes_);
  // Nothing to map, or less in the file than the caller expects: read instead.
  EXPECT_EQ(MappedFile::Map(file_.get(), 0, path_), nullptr);
  EXPECT_EQ(MappedFile::Map(file_.get(), bytes_.size() + 1, path_), nullptr);
}

// Many mappings at once, and again after they are gone: each has a guard of its own.
TEST_F(MappedFileTest, GuardsAreGivenBack) {
  for (int round = 0; round < 3; ++round) {
    std::vector<std::shared_ptr<const MappedFile>> held;
    for (int i = 0; i < 20; ++i) {
      held.push_back(MappedFile::Map(file_.get(), bytes_.size(), path_));
      ASSERT_NE(held.back(), nullptr) << round << " " << i;
    }
  }
}

// A file cut short by another program while it is mapped: touching a lost byte ends
// the process with the file error status and a message naming the file, not a bus
// error; a bus error elsewhere is left to whoever handled it before.
TEST_F(MappedFileTest, ALostByteEndsTheProcessWithAMessage) {
  const auto mapped = MappedFile::Map(file_.get(), bytes_.size(), path_);
  ASSERT_NE(mapped, nullptr);
  EXPECT_EXIT(
      {
        ASSERT_EQ(truncate(path_.c_str(), 100), 0);
        Touch(mapped->Data() + 3 * 4096);
      },
      ::testing::ExitedWithCode(kMappedFileLostExitStatus),
      "model.ms3d: cannot read: the file was cut short by another program");
  // It ends the process as the handler before ours would (the system, or the
  // address sanitizer), not with our status.
  const auto notOurs = [](int status) {
    return !WIFEXITED(status) || WEXITSTATUS(status) != kMappedFileLostExitStatus;
  };
  EXPECT_EXIT(raise(SIGBUS), notOurs, "");
}

// A model only read views the mapped file: cut short, its lost comments end the
// process. One opened for saving keeps its comments whatever happens to the file.
TEST_F(MappedFileTest, OnlyDocumentsOpenedForReadingMapTheFile) {
  const std::string model = folder_.File("sample.ms3d");
  quorvel::testing::Ms3dFixture fixture = SampleFixture();
  fixture.modelComment = std::string(20000, 'c');
  WriteWholeFile(model, WriteMs3d(fixture).bytes);
  const ModelDocument kept = ModelDocument::Open(model);
  const ModelDocument mapped = ModelDocument::OpenForReading(model);
  ASSERT_EQ(mapped.Model().comment, kept.Model().comment);
  EXPECT_EXIT(
      {
        ASSERT_EQ(truncate(model.c_str(), 200), 0);
        const std::string_view comment = kept.Model().comment.View();
        if (comment.find_first_not_of('c') == std::string_view::npos) {
          Touch(mapped.Model().comment.data() + comment.size() - 1);
        }
      },
      ::testing::ExitedWithCode(kMappedFileLostExitStatus), "sample.ms3d: cannot read");
}

}  // namespace
}  // namespace quorvel::host
