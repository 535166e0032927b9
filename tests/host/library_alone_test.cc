// The host library used by a program that makes none of the process-wide choices
// (InstallSaveSignalHandlers, AllowMappedReads): it reads and saves models all the
// same, and leaves the process's handling of signals as it found it.
#include <gtest/gtest.h>
#include <signal.h>

#include "host/mapped_file.h"
#include "host/model_document.h"
#include "host/save_signals.h"
#include "tests/support/ms3d_fixture.h"

namespace quorvel::host {
namespace {

using quorvel::testing::SampleFixture;
using quorvel::testing::TempFolder;
using quorvel::testing::WriteMs3d;
using quorvel::testing::WriteWholeFile;

// Whether every signal the library could handle is handled as by default.
bool DefaultHandling() {
  for (int signal : {SIGBUS, SIGTERM, SIGINT, SIGHUP, SIGXFSZ}) {
    struct sigaction action {};
    if (sigaction(signal, nullptr, &action) != 0 || (action.sa_flags & SA_SIGINFO) != 0 ||
        action.sa_handler != SIG_DFL) {
      return false;
    }
  }
  return true;
}

TEST(LibraryAloneTest, ReadsAndSavesWithoutTouchingTheProcesssSignals) {
  ASSERT_TRUE(DefaultHandling());
  TempFolder folder;
  const std::string path = folder.File("model.ms3d");
  WriteWholeFile(path, WriteMs3d(SampleFixture()).bytes);

  // A document only read would map the file: here it reads it instead.
  const ModelDocument read = ModelDocument::OpenForReading(path);
  EXPECT_EQ(read.Model().joints.size(), SampleFixture().joints.size());
  ModelDocument document = ModelDocument::Open(path);
  document.SetModelComment("saved alone");
  document.Save();
  EXPECT_EQ(ModelDocument::OpenForReading(path).Model().comment, "saved alone");

  EXPECT_FALSE(SaveSignalHandlersInstalled());
  EXPECT_TRUE(DefaultHandling());
}

}  // namespace
}  // namespace quorvel::host
