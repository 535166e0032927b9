// The quorvel program run as a user runs it: a separate process, its output,
// error text and exit status.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cstdlib>
#include <nlohmann/json.hpp>

#include "tests/support/ms3d_fixture.h"
#include "tests/support/quorvel_run.h"

namespace quorvel::app {
namespace {

using quorvel::testing::Ms3dBytes;
using quorvel::testing::Ms3dFixture;
using quorvel::testing::PatchU16;
using quorvel::testing::ReadWholeFile;
using quorvel::testing::RunQuorvel;
using quorvel::testing::SampleFixture;
using quorvel::testing::TempFolder;
using quorvel::testing::WriteMs3d;
using quorvel::testing::WriteWholeFile;
using ::testing::HasSubstr;

using Result = quorvel::testing::CommandResult;

class QuorvelCommandTest : public ::testing::Test {
 protected:
  Result Run(const std::string& arguments, const std::string& environment = "") {
    return RunQuorvel(folder_, arguments, environment);
  }

  std::string Model(const Ms3dFixture& fixture, const std::string& name = "fleet.ms3d") {
    std::string path = folder_.File(name);
    WriteWholeFile(path, WriteMs3d(fixture).bytes);
    return path;
  }

  TempFolder folder_;
};

TEST_F(QuorvelCommandTest, HelpAndVersion) {
  Result help = Run("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_THAT(help.out, HasSubstr("dump"));
  EXPECT_THAT(help.out, HasSubstr("show"));
  Result version = Run("--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_THAT(version.out, ::testing::StartsWith("quorvel "));
  EXPECT_EQ(Run("").status, 1);
  EXPECT_EQ(Run("frobnicate").status, 1);
  EXPECT_EQ(Run("dump").status, 1);
}

// A word where the subcommand belongs that names none is called unknown, with the
// known ones listed, also after a global option.
TEST_F(QuorvelCommandTest, AnUnknownSubcommandIsNamedWithTheKnownOnes) {
  for (const char* arguments : {"frobnicate x", "frobnicate", "--plugin p.so frobnicate x"}) {
    SCOPED_TRACE(arguments);
    const Result result = Run(arguments);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err,
              "quorvel: unknown subcommand \"frobnicate\"; the subcommands are dump, show, "
              "edit, apply, check, timeline and preview. Run quorvel --help for more.\n");
  }
  // No word at all: the subcommand is missing, not unknown.
  EXPECT_THAT(Run("").err, HasSubstr("A subcommand is required"));
}

TEST_F(QuorvelCommandTest, AnEmptyFileIsCalledEmpty) {
  const std::string path = folder_.File("empty.ms3d");
  WriteWholeFile(path, "");
  for (const std::string command : {"dump", "show", "edit"}) {
    const Result result = Run(command + " " + path);
    EXPECT_EQ(result.status, 2) << command;
    EXPECT_EQ(result.err, "quorvel " + command + ": " + path +
                              ": the file is empty (0 bytes); a model file begins with a "
                              "14-byte header\n");
  }
}

TEST_F(QuorvelCommandTest, DumpWritesTheModelAsJson) {
  Ms3dFixture fixture = SampleFixture();
  fixture.jointComments.push_back({3, "Sob Name=\xe9t\xe9\r\n"});
  Result result = Run("dump " + Model(fixture));
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");
  nlohmann::json dump = nlohmann::json::parse(result.out);
  EXPECT_EQ(dump["meshes"], 2);
  EXPECT_EQ(dump["materials"], 1);
  EXPECT_EQ(dump["frames"], 120);
  EXPECT_EQ(dump["comment"], "OPT_FPS=30\r\nNum Events=0\r\n");
  ASSERT_EQ(dump["joints"].size(), 4u);
  EXPECT_EQ(dump["joints"][2]["name"], "Fighter1");
  EXPECT_EQ(dump["joints"][2]["flags"], 5);
  EXPECT_EQ(dump["joints"][3]["comment"], "Sob Name=\u00e9t\u00e9\r\n");
}

// Output that is lost (here: a full disk) is a failure, not a success.
TEST_F(QuorvelCommandTest, OutputThatCannotBeWrittenExitsWithStatus2) {
  const std::string model = Model(SampleFixture());
  const std::string err = folder_.File("stderr");
  for (const std::string command : {"dump", "show", "show --json", "check", "check --json"}) {
    SCOPED_TRACE(command);
    const std::string line = QUORVEL_BINARY_DIR "/bin/quorvel " + command + " " + model +
                             " >/dev/full 2>" + err + " </dev/null";
    const int raw = std::system(line.c_str());
    ASSERT_TRUE(WIFEXITED(raw));
    EXPECT_EQ(WEXITSTATUS(raw), 2);
    EXPECT_THAT(ReadWholeFile(err), HasSubstr("cannot write to standard output"));
  }
}

TEST_F(QuorvelCommandTest, ShowClassifiesJointsWithTheLoadedPlugIn) {
  std::string model = Model(SampleFixture());
  Result text = Run("show " + model);
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_THAT(text.out, HasSubstr("\"Quorvel\" attributes of " + model));
  EXPECT_THAT(text.out, HasSubstr("0 ZU2_Root: skipped, not marked"));
  EXPECT_THAT(text.out, HasSubstr("1 CAM_Main: camera, marked"));
  EXPECT_THAT(text.out, HasSubstr("2 Fighter1: ship follower, marked"));
  EXPECT_THAT(text.out, HasSubstr("3 Rock: other follower, not marked"));

  Result json = Run("show --json " + model);
  ASSERT_EQ(json.status, 0) << json.err;
  nlohmann::json report = nlohmann::json::parse(json.out);
  EXPECT_EQ(report["plugIn"], "Quorvel");
  EXPECT_EQ(report["model"]["frameRate"], 30);
  EXPECT_EQ(report["joints"][2]["record"]["sobGroupName"], "Alpha");
}

TEST_F(QuorvelCommandTest, UnreadableFilesExitWithStatus2AndSayWhere) {
  Result missing = Run("dump " + folder_.File("none.ms3d"));
  EXPECT_EQ(missing.status, 2);
  EXPECT_THAT(missing.err, HasSubstr("none.ms3d: cannot open: No such file or directory"));
  EXPECT_EQ(missing.out, "");

  Ms3dBytes hostile = WriteMs3d(SampleFixture());
  PatchU16(hostile.bytes, hostile.at["joint1.rotationKeys"], 65535);
  std::string path = folder_.File("hostile.ms3d");
  WriteWholeFile(path, hostile.bytes);
  for (const char* command : {"dump ", "show "}) {
    Result result = Run(command + path);
    EXPECT_EQ(result.status, 2) << command;
    EXPECT_THAT(result.err, HasSubstr("hostile.ms3d: joints section: joint 1 of 4 at byte " +
                                      std::to_string(hostile.at["joint1"]) +
                                      ": rotation key count 65535 needs 1048560 bytes"));
  }
}

// What is no regular file is refused before anything is read from it, so that a
// FIFO does not wait for a writer and a device is not read for ever.
TEST_F(QuorvelCommandTest, NoRegularFileIsRefusedWithoutWaiting) {
  std::string fifo = folder_.File("fifo.ms3d");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& path : {fifo, std::string("/dev/zero")}) {
    for (const char* command : {"dump ", "show "}) {
      Result result = Run(command + path, "timeout 20");
      EXPECT_EQ(result.status, 2) << command << path;
      EXPECT_THAT(result.err, HasSubstr(path + ": cannot read: it is not a regular file"));
    }
  }
}

// A model cut short in the extra data after its comments is refused, not taken as
// whole.
TEST_F(QuorvelCommandTest, ModelCutShortAfterItsCommentsIsRefused) {
  Ms3dBytes file = WriteMs3d(SampleFixture());
  std::string path = folder_.File("cut.ms3d");
  WriteWholeFile(path, file.bytes.substr(0, file.bytes.size() - 5));
  for (const char* command : {"dump ", "show "}) {
    Result result = Run(command + path);
    EXPECT_EQ(result.status, 2) << command;
    EXPECT_THAT(result.err, HasSubstr("cut.ms3d: joint extra section at byte " +
                                      std::to_string(file.commentsEnd + 4 + 6 * 6) +
                                      ": joint count 4 needs 48 bytes, 43 remain"));
  }
}

// Memory that runs out ends the command with a message and a status of its own, not
// with a signal. The model comment is 64 MB of NUL bytes (a sparse file); its dump
// needs six times as much, more than the limit allows.
TEST_F(QuorvelCommandTest, MemoryRunningOutEndsWithAMessage) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "a sanitizer needs more address space than the limit leaves";
#else
  Ms3dFixture fixture = SampleFixture();
  fixture.modelComment = "";
  fixture.trailer.clear();
  Ms3dBytes file = WriteMs3d(fixture);
  constexpr std::int32_t kLength = 64 << 20;
  quorvel::testing::PatchI32(file.bytes, file.at["comments.modelLength"], kLength);
  std::string path = folder_.File("big.ms3d");
  WriteWholeFile(path, file.bytes);
  ASSERT_EQ(truncate(path.c_str(), static_cast<off_t>(file.bytes.size()) + kLength), 0);
  Result result = Run("dump " + path, "ulimit -v 300000;");
  EXPECT_EQ(result.status, 7) << result.err;
  EXPECT_EQ(result.err,
            "quorvel dump: not enough memory to go on; the model file was not changed\n");
#endif
}

TEST_F(QuorvelCommandTest, PlugInModuleMustLoadAndBeOfKind3) {
  std::string model = Model(SampleFixture());
  Result missing = Run("show " + model, "QUORVEL_PLUGIN=" + folder_.File("none.so"));
  EXPECT_EQ(missing.status, 3);
  EXPECT_THAT(missing.err, HasSubstr("cannot load the plug-in module " + folder_.File("none.so")));

  std::string otherKind = QUORVEL_BINARY_DIR "/lib/libquorvel_wrong_kind_plugin.so";
  Result wrong = Run("--plugin " + otherKind + " show " + model);
  EXPECT_EQ(wrong.status, 3);
  EXPECT_THAT(wrong.err, HasSubstr("is of kind 1, not a model-editing plug-in (kind 3)"));

  Result chosen = Run("--plugin " QUORVEL_BINARY_DIR "/lib/libquorvel_plugin.so show " + model);
  EXPECT_EQ(chosen.status, 0) << chosen.err;
}

}  // namespace
}  // namespace quorvel::app
