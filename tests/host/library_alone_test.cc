// The host library used by a program that makes none of the process-wide choices
// (InstallSaveSignalHandlers, AllowMappedReads): it reads and saves models all the
// same, and leaves the process's handling of signals as it found it.
#include <gtest/gtest.h>
#include <signal.h>

#include <utility>
#include <vector>

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

// How the process handles each signal the library could handle. A sanitized build's
// runtime handles some of them itself, so the test compares with what it found
// rather than with the defaults.
std::vector<std::pair<void*, int>> Handling() {
  std::vector<std::pair<void*, int>> handling;
  for (int signal : {SIGBUS, SIGTERM, SIGINT, SIGHUP, SIGXFSZ}) {
    struct sigaction action {};
    EXPECT_EQ(sigaction(signal, nullptr, &action), 0);
    void* handler = (action.sa_flags & SA_SIGINFO) != 0
                        ? reinterpret_cast<void*>(action.sa_sigaction)
                        : reinterpret_cast<void*>(action.sa_handler);
    handling.emplace_back(handler, action.sa_flags & SA_SIGINFO);
  }
  return handling;
}

TEST(LibraryAloneTest, ReadsAndSavesWithoutTouchingTheProcesssSignals) {
  const auto before = Handling();
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
  EXPECT_EQ(Handling(), before);
}

}  // namespace
}  // namespace quorvel::host
