// `quorvel edit` against other writers: a second edit of a locked model, edits
// started together, temporary files of unfinished saves, refused saves.
#include "tools/quorvel/model_lock.h"

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "host/model_document.h"
#include "host/system.h"
#include "host/temporary_name.h"
#include "host/unique_fd.h"
#include "tests/support/faulty_system.h"
#include "tests/support/ms3d_fixture.h"
#include "tools/quorvel/command_error.h"

namespace quorvel::app {
namespace {

using quorvel::testing::ReadWholeFile;
using quorvel::testing::TempFolder;
using quorvel::testing::WriteWholeFile;
using ::testing::HasSubstr;

// One edit changes the model's frame rate, the other the name of Fighter1.
constexpr char kFrameRate[] = "window sheet\nset 11000 25\nclick 1\nwindow message\nanswer yes\n";
constexpr char kName[] =
    "window sheet\ntab 1\nset 11001 Beta\nclick 1\nwindow message\nanswer yes\n";

class ModelLockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = folder_.File("fleet.ms3d");
    std::filesystem::copy_file(QUORVEL_SOURCE_DIR "/examples/fleet.ms3d", path_);
    WriteWholeFile(folder_.File("rate.ui"), kFrameRate);
    WriteWholeFile(folder_.File("name.ui"), kName);
    // The same change on a model the warning before the sheet says cannot be saved,
    // declining to save elsewhere when the save is refused.
    WriteWholeFile(folder_.File("rate-refused.ui"),
                   "window message\nexpect-title Quorvel\nanswer ok\n" + std::string(kFrameRate) +
                       "window message\nanswer no\n");
  }

  // The shell command of an edit with script `script` (rate or name), its output
  // going to files named after it.
  std::string EditCommand(const std::string& script, const std::string& options = "") {
    return QUORVEL_BINARY_DIR "/bin/quorvel edit " + path_ + " --mark Fighter1 --script " +
           folder_.File(script + ".ui") + " " + options + " >" + folder_.File(script + ".out") +
           " 2>" + folder_.File(script + ".err") + " </dev/null";
  }

  int Edit(const std::string& script, const std::string& options = "") {
    const int raw = std::system(EditCommand(script, options).c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  }

  std::string Err(const std::string& script) {
    return ReadWholeFile(folder_.File(script + ".err"));
  }

  bool HasRate() {
    return host::ModelDocument::Open(path_).Model().comment.find("OPT_FPS=25\r\n") !=
           std::string::npos;
  }
  bool HasName() {
    return host::ModelDocument::Open(path_).Model().joints[4].comment.find("Sob Name=Beta\r\n") !=
           std::string::npos;
  }

  TempFolder folder_;
  std::string path_;
};

TEST_F(ModelLockTest, SecondEditOfALockedModelNamesTheHolderAndStops) {
  int held = open(path_.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(flock(held, LOCK_EX), 0);
  const std::string before = ReadWholeFile(path_);
  EXPECT_EQ(Edit("rate"), 2);
  EXPECT_THAT(Err("rate"), HasSubstr(path_ + ": process " + std::to_string(getpid()) + " ("));
  EXPECT_THAT(Err("rate"), HasSubstr("is editing this file; nothing was changed. Try again when "
                                     "it has finished, or add --wait-lock to wait for it"));
  EXPECT_EQ(ReadWholeFile(path_), before);
  close(held);
}

// A file system that keeps no locks: the edit goes on unlocked, and says so; any
// other failure to lock stops it.
TEST_F(ModelLockTest, FileSystemWithoutLocksLetsTheEditGoOnAndSaysSo) {
  struct Case {
    int error;
    bool goesOn;
  };
  for (const Case& test : {Case{ENOLCK, true}, Case{EOPNOTSUPP, true}, Case{EIO, false}}) {
    testing::FaultySystem system;
    system.FailAt("lock", 1, test.error);
    const host::SystemScope scope(system);
    ::testing::internal::CaptureStderr();
    if (test.goesOn) {
      EXPECT_FALSE(ModelLock::Take(path_, false).Held()) << test.error;
      EXPECT_EQ(::testing::internal::GetCapturedStderr(),
                path_ + ": warning: the file cannot be locked here (" + std::strerror(test.error) +
                    "); another quorvel edit of it is not held off, but a save still refuses to "
                    "overwrite its changes\n");
    } else {
      EXPECT_THROW(ModelLock::Take(path_, false), CommandError);
      ::testing::internal::GetCapturedStderr();
    }
  }
}

// The lock is exclusive: while one edit holds it, neither a second edit's lock nor a
// shared one can be had, and a second edit is refused at once instead of waiting.
TEST_F(ModelLockTest, LockIsTakenExclusive) {
  {
    const ModelLock first = ModelLock::Take(path_, false);
    ASSERT_TRUE(first.Held());
    const host::UniqueFd other(open(path_.c_str(), O_RDONLY | O_CLOEXEC));
    EXPECT_NE(flock(other.get(), LOCK_SH | LOCK_NB), 0);
    EXPECT_EQ(errno, EWOULDBLOCK);
    try {
      ModelLock::Take(path_, false);
      ADD_FAILURE() << "a second lock was taken while the first was held";
    } catch (const CommandError& error) {
      EXPECT_EQ(error.ExitStatus(), kExitFileError);
      EXPECT_THAT(error.what(), HasSubstr("is editing this file"));
    }
  }
  // Released with its holder.
  EXPECT_TRUE(ModelLock::Take(path_, false).Held());
}

TEST_F(ModelLockTest, WaitLockWaitsForTheHolder) {
  int held = open(path_.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(flock(held, LOCK_EX), 0);
  // Released once the edit says it waits (however slowly it starts), or after a
  // minute at the most.
  std::thread release([this, held] {
    for (int tries = 0; tries < 3000; ++tries) {
      std::ifstream err(folder_.File("rate.err"));
      const std::string said{std::istreambuf_iterator<char>(err), {}};
      if (said.find(": waiting for") != std::string::npos) {
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    close(held);
  });
  EXPECT_EQ(Edit("rate", "--wait-lock"), 0);
  release.join();
  EXPECT_THAT(Err("rate"), HasSubstr(": waiting for process " + std::to_string(getpid())));
  EXPECT_TRUE(HasRate());
}

// Both edits start together, many times: a run may be turned away by the lock,
// but none may lose a change and exit 0; with --wait-lock both changes stay.
TEST_F(ModelLockTest, TwoWritersStartedTogetherNeverLoseAChange) {
  const std::string original = ReadWholeFile(path_);
  for (const char* options : {"", "--wait-lock"}) {
    for (int run = 0; run < 6; ++run) {
      SCOPED_TRACE(std::string(options) + " run " + std::to_string(run));
      WriteWholeFile(path_, original);
      const std::string both = "(" + EditCommand("rate", options) + "; echo $? >" +
                               folder_.File("rate.rc") + ") & (" + EditCommand("name", options) +
                               "; echo $? >" + folder_.File("name.rc") + ") & wait";
      ASSERT_EQ(std::system(both.c_str()), 0);
      const int rate = std::stoi(ReadWholeFile(folder_.File("rate.rc")));
      const int name = std::stoi(ReadWholeFile(folder_.File("name.rc")));
      EXPECT_TRUE(rate == 0 || (rate == 2 && *options == '\0')) << rate << Err("rate");
      EXPECT_TRUE(name == 0 || (name == 2 && *options == '\0')) << name << Err("name");
      EXPECT_TRUE(rate == 0 || name == 0);
      // A run turned away, or waiting, names the edit that held the lock.
      for (const char* script : {"rate", "name"}) {
        EXPECT_THAT(Err(script), ::testing::Not(HasSubstr("another process"))) << script;
      }
      EXPECT_EQ(HasRate(), rate == 0);
      EXPECT_EQ(HasName(), name == 0);
    }
  }
}

// The holder of a refused lock is looked for again while it is not listed; a lock
// let go meanwhile is taken.
TEST_F(ModelLockTest, TheHolderIsLookedForAgainOrTheFreedLockTaken) {
  host::UniqueFd held(open(path_.c_str(), O_RDONLY | O_CLOEXEC));
  host::UniqueFd mine(open(path_.c_str(), O_RDONLY | O_CLOEXEC));
  ASSERT_EQ(flock(held.get(), LOCK_EX), 0);
  int calls = 0;
  // Listed from the third look on.
  const auto lateListing = [&calls](int) {
    return ++calls < 3 ? "" : std::string("process 7 (q)");
  };
  EXPECT_EQ(HolderOrLock(mine.get(), lateListing), "process 7 (q)");
  EXPECT_EQ(calls, 3);
  // Never listed, never let go.
  EXPECT_EQ(HolderOrLock(mine.get(), [](int) { return std::string(); }), "another process");
  // Let go before the second look.
  calls = 0;
  const auto letGo = [&](int) {
    if (++calls == 2) {
      held.Reset();
    }
    return std::string();
  };
  EXPECT_EQ(HolderOrLock(mine.get(), letGo), std::nullopt);
  host::UniqueFd other(open(path_.c_str(), O_RDONLY | O_CLOEXEC));
  EXPECT_NE(flock(other.get(), LOCK_EX | LOCK_NB), 0) << "the freed lock was not taken";
}

TEST_F(ModelLockTest, LeftOverTemporaryFilesAreNamedAndRemovedOnlyWhenAsked) {
  // Of this version, and of the form earlier versions named them.
  for (const std::string& left : {folder_.File(host::TemporaryNamePrefix("fleet.ms3d") + "Ab12Cd"),
                                  folder_.File(".fleet.ms3d.quorvel-save-Ab12Cd")}) {
    WriteWholeFile(left, "half a model");
    EXPECT_EQ(Edit("rate"), 0);
    EXPECT_THAT(Err("rate"), HasSubstr(path_ + ": " + left +
                                       " was left by a save that never finished; it is not used. "
                                       "Add --remove-left-overs to remove it"));
    EXPECT_EQ(ReadWholeFile(left), "half a model");
    EXPECT_EQ(Edit("name", "--remove-left-overs"), 0);
    EXPECT_THAT(Err("name"), HasSubstr("removed " + left));
    EXPECT_NE(access(left.c_str(), F_OK), 0);
  }
  // Not those of another model in the folder.
  const std::string others = folder_.File(host::TemporaryNamePrefix("other.ms3d") + "Ab12Cd");
  WriteWholeFile(others, "another model's");
  EXPECT_EQ(Edit("rate", "--remove-left-overs"), 0);
  EXPECT_EQ(ReadWholeFile(others), "another model's");
  EXPECT_TRUE(HasRate() && HasName());
}

TEST_F(ModelLockTest, RefusedSaveEndsWithStatus2AndSaysWhereTheEditsAre) {
  ASSERT_EQ(link(path_.c_str(), folder_.File("other.ms3d").c_str()), 0);
  EXPECT_EQ(Edit("rate-refused"), 2);
  EXPECT_THAT(Err("rate-refused"), HasSubstr("not saved: it has 2 names (hard links)"));
  EXPECT_THAT(Err("rate-refused"),
              HasSubstr("your changes are kept in " + folder_.File("fleet.unsaved.ms3d")));
  EXPECT_FALSE(HasRate());
  EXPECT_EQ(host::ModelDocument::Open(folder_.File("fleet.unsaved.ms3d"))
                .Model()
                .comment.find("OPT_FPS=25"),
            0u);
}

TEST_F(ModelLockTest, SaveReadOnlyLetsRootReplaceAReadOnlyModel) {
  if (geteuid() != 0) {
    GTEST_SKIP() << "only root may write a read-only file";
  }
  ASSERT_EQ(chmod(path_.c_str(), 0444), 0);
  EXPECT_EQ(Edit("rate-refused"), 2);
  EXPECT_THAT(Err("rate-refused"), HasSubstr("not saved: it is read-only"));
  EXPECT_FALSE(HasRate());
  EXPECT_EQ(Edit("name", "--save-read-only"), 0);
  EXPECT_TRUE(HasName());
}

}  // namespace
}  // namespace quorvel::app
