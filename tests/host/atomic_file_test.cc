// What a save leaves when it is interrupted: signals during the save, the file-size
// limit, and temporary files of saves that never finished.
#include "host/atomic_file.h"

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <stdio.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <csignal>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "host/model_document.h"
#include "host/ms3d_error.h"
#include "host/temporary_name.h"
#include "tests/support/ms3d_fixture.h"

namespace quorvel::host {
namespace {

using quorvel::testing::ReadWholeFile;
using quorvel::testing::SampleFixture;
using quorvel::testing::TempFolder;
using quorvel::testing::WriteMs3d;
using quorvel::testing::WriteWholeFile;
using ::testing::ElementsAre;

class RaiseWhenWritten : public ModelDocument::SaveObserver {
 public:
  explicit RaiseWhenWritten(int signal) : signal_(signal) {}
  void NewFileWritten(const std::string&) override { raise(signal_); }

 private:
  int signal_;
};

class InterruptedSaveTest : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    original_ = WriteMs3d(SampleFixture()).bytes;
    path_ = folder_.File("model.ms3d");
    WriteWholeFile(path_, original_);
  }

  // Saves a change in a child process, which runs `prepare` first; returns its
  // wait status.
  int SaveInChild(int signal, void (*prepare)()) {
    pid_t child = fork();
    if (child == 0) {
      prepare();
      InstallSaveSignalHandlers();
      ModelDocument document = ModelDocument::Open(path_);
      document.SetModelComment(std::string(100000, 'x'));
      RaiseWhenWritten raiser(signal);
      document.SetSaveObserver(&raiser);
      try {
        document.Save();
      } catch (const Ms3dError& error) {
        WriteWholeFile(folder_.File("error"), error.what());
        _exit(2);
      }
      _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return status;
  }

  TempFolder folder_;
  std::string original_;
  std::string path_;
};

TEST_P(InterruptedSaveTest, TerminatingSignalRemovesTheTemporaryFileAndEndsByThatSignal) {
  const int status = SaveInChild(GetParam(), [] {});
  ASSERT_TRUE(WIFSIGNALED(status)) << status;
  EXPECT_EQ(WTERMSIG(status), GetParam());
  EXPECT_EQ(ReadWholeFile(path_), original_);
  EXPECT_THAT(folder_.Entries(), ElementsAre("model.ms3d"));
}

INSTANTIATE_TEST_SUITE_P(Signals, InterruptedSaveTest, ::testing::Values(SIGTERM, SIGINT, SIGHUP),
                         [](const auto& info) { return std::string(sigabbrev_np(info.param)); });

// The default action of SIGXFSZ would end the process without a word.
TEST_F(InterruptedSaveTest, FileSizeLimitIsReportedLikeAFullDisk) {
  const int status = SaveInChild(0, [] {
    std::signal(SIGXFSZ, SIG_DFL);
    struct rlimit small {};
    getrlimit(RLIMIT_FSIZE, &small);
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
  });
  ASSERT_TRUE(WIFEXITED(status)) << status;
  EXPECT_EQ(WEXITSTATUS(status), 2);
  EXPECT_THAT(ReadWholeFile(folder_.File("error")),
              ::testing::MatchesRegex("/.*/model.ms3d: not saved: cannot write /.*/"
                                      "\\.quorvel-save-[0-9a-f]{12}-......: File too large"));
  EXPECT_EQ(ReadWholeFile(path_), original_);
  EXPECT_THAT(folder_.Entries(), ElementsAre("error", "model.ms3d"));
}

#if defined(__x86_64__)
// From now on, this process's renameat2 fails with EINVAL when asked to exchange, as
// on a file system that cannot trade two names in one step.
bool RefuseExchanges() {
  constexpr std::uint32_t kFlagsLow = offsetof(struct seccomp_data, args) + 4 * sizeof(__u64);
  sock_filter filter[] = {
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(struct seccomp_data, arch)),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, AUDIT_ARCH_X86_64, 1, 0),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(struct seccomp_data, nr)),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_renameat2, 0, 3),
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, kFlagsLow),
      BPF_JUMP(BPF_JMP | BPF_JSET | BPF_K, RENAME_EXCHANGE, 0, 1),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EINVAL),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
  };
  sock_fprog program{static_cast<unsigned short>(std::size(filter)), filter};
  return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
         prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

// Where names cannot be exchanged, the new file is renamed over the model, and the
// first save of the process says so.
TEST(ExchangeRefusedTest, SavesByRenameAndSaysSoOnce) {
  TempFolder folder;
  const std::string path = folder.File("model.ms3d");
  WriteWholeFile(path, WriteMs3d(SampleFixture()).bytes);
  const pid_t child = fork();
  if (child == 0) {
    if (!RefuseExchanges()) {
      _exit(3);
    }
    std::string notes;
    for (const char* comment : {"first", "second"}) {
      ModelDocument document = ModelDocument::Open(path);
      document.SetModelComment(comment);
      try {
        document.Save();
      } catch (const Ms3dError& error) {
        WriteWholeFile(folder.File("notes"), error.what());
        _exit(2);
      }
      notes += "[" + document.SaveNote() + "]";
    }
    WriteWholeFile(folder.File("notes"), notes);
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == 3) {
    GTEST_SKIP() << "no system-call filter can be set here";
  }
  ASSERT_EQ(WEXITSTATUS(status), 0) << ReadWholeFile(folder.File("notes"));
  EXPECT_EQ(ReadWholeFile(folder.File("notes")),
            "[the file system of " + folder.Path() +
                " cannot trade two files' names in one step (Invalid argument), so the model was "
                "put in place by a plain rename, which loses a change another program makes in "
                "the moment before it][]");
  EXPECT_EQ(ModelDocument::Open(path).Model().comment, "second");
  EXPECT_THAT(folder.Entries(), ElementsAre("model.ms3d", "notes"));
}
#endif

TEST(LeftOverTemporaryFilesTest, FindsOnlyThoseOfThisModel) {
  TempFolder folder;
  const std::string mine = TemporaryNamePrefix("model.ms3d");
  const std::string others = TemporaryNamePrefix("other.ms3d");
  for (const std::string& name :
       {std::string("model.ms3d"), std::string(".model.ms3d.quorvel-save-Ab12Cd"),
        std::string(".model.ms3d.quorvel-save-zzzzzz"),
        std::string(".model.ms3d.quorvel-save-toolong"),
        std::string(".other.ms3d.quorvel-save-Ab12Cd"), std::string(".model.ms3d.Ab12Cd"),
        std::string("model.unsaved.ms3d"), mine + "Qz09aB", mine + "toolong", others + "Qz09aB"}) {
    WriteWholeFile(folder.File(name), "x");
  }
  std::vector<std::string> expected = {folder.File(".model.ms3d.quorvel-save-Ab12Cd"),
                                       folder.File(".model.ms3d.quorvel-save-zzzzzz"),
                                       folder.File(mine + "Qz09aB")};
  std::sort(expected.begin(), expected.end());
  EXPECT_THAT(AtomicFile::LeftOverTemporaryFiles(folder.File("model.ms3d")),
              ::testing::ElementsAreArray(expected));
  EXPECT_EQ(mine.size() + kTemporaryRandomLength, kTemporaryNameLength);
  EXPECT_NE(mine, others);
  EXPECT_THAT(AtomicFile::LeftOverTemporaryFiles(folder.File("missing.ms3d")), ElementsAre());
}

}  // namespace
}  // namespace quorvel::host
