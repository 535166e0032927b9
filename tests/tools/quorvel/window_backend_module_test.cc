// The command's windows come from the module of real windows, loaded only by the
// commands that show a window or paint a PNG.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/ms3d_fixture.h"
#include "tests/support/quorvel_run.h"

namespace quorvel::app {
namespace {

using quorvel::testing::ReadWholeFile;
using quorvel::testing::RunQuorvel;
using quorvel::testing::TempFolder;
using quorvel::testing::WriteWholeFile;
using ::testing::HasSubstr;
using ::testing::Not;

using Result = quorvel::testing::CommandResult;

constexpr char kFleet[] = QUORVEL_SOURCE_DIR "/examples/fleet.ms3d";
constexpr char kModule[] = QUORVEL_BINARY_DIR "/lib/libquorvel_qt_windows.so";
constexpr char kCancelSheet[] = "window sheet\nclick 2\n";

// The standard output of a shell command.
std::string Output(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
      out.append(buffer, got);
    }
    pclose(pipe);
  }
  return out;
}

TEST(WindowModuleTest, OnlyTheModuleNeedsQt) {
  const std::string program = Output("readelf -d " QUORVEL_BINARY_DIR "/bin/quorvel");
  ASSERT_THAT(program, HasSubstr("libquorvel_framework.so"));
  EXPECT_THAT(program, Not(HasSubstr("libQt")));
  EXPECT_THAT(Output(std::string("readelf -d ") + kModule), HasSubstr("libQt6Widgets"));
  // Its own code and the static libraries inside it stay hidden.
  EXPECT_EQ(Output(std::string("nm -D --defined-only ") + kModule +
                   " | awk '{print $3}' | grep -vxE '__bss_start|_edata|_end'"),
            "QuorvelQtWindows\n");
}

// The loader's own account (LD_DEBUG) of the files each command loads: those that
// show nothing never load the module or Qt; a PNG loads both.
TEST(WindowModuleTest, OnlyCommandsThatShowOrPaintLoadIt) {
  TempFolder folder;
  const std::string model = folder.File("fleet.ms3d");
  WriteWholeFile(model, ReadWholeFile(kFleet));
  const std::string script = folder.File("cancel.ui");
  WriteWholeFile(script, kCancelSheet);
  const struct {
    std::string arguments;
    bool loadsQt;
  } cases[] = {
      {"dump " + model, false},
      {"show " + model, false},
      {"show --json " + model, false},
      {"check " + model, false},
      {"timeline " + model + " -o " + folder.File("t.svg"), false},
      {"edit " + model + " --script " + script, false},
      {"timeline " + model + " -o " + folder.File("t.png"), true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments);
    const Result result = RunQuorvel(folder, c.arguments, "env LD_DEBUG=files");
    ASSERT_EQ(result.status, 0) << result.err;
    ASSERT_THAT(result.err, HasSubstr("file=libquorvel_framework.so"));  // the loader speaks
    if (c.loadsQt) {
      EXPECT_THAT(result.err, HasSubstr("file=libQt6Gui.so"));
      EXPECT_THAT(result.err, HasSubstr("file=" + std::string(kModule)));
    } else {
      EXPECT_THAT(result.err, Not(HasSubstr("libQt6")));
      EXPECT_THAT(result.err, Not(HasSubstr("libquorvel_qt_windows")));
    }
  }
}

// What fails inside the module reaches the user as any failure of the command.
TEST(WindowModuleTest, FailuresInsideTheModuleAreTheCommands) {
  TempFolder folder;
  const Result result = RunQuorvel(
      folder, std::string("timeline ") + kFleet + " -o " + folder.File("no/such/folder/t.png"));
  EXPECT_EQ(result.status, 2) << result.err;
  EXPECT_THAT(result.err, HasSubstr("t.png: cannot be written"));
}

// A copy of the program whose module of real windows is missing or cannot be used:
// the commands that need windows say why and what to do instead; the others work.
TEST(WindowModuleTest, WithoutAUsableModule) {
  const struct {
    const char* name;
    const char* module;  // what to put in lib/ in place of the module; null: nothing
    const char* says;
  } modules[] = {
      {"missing", nullptr, "cannot be loaded: "},
      {"not a library", "not a library, but long enough to be read as the header of one\n",
       "cannot be loaded: "},
      {"a module of something else", QUORVEL_BINARY_DIR "/lib/libquorvel_wrong_kind_plugin.so",
       "exports no QuorvelQtWindows function"},
  };
  for (const auto& m : modules) {
    SCOPED_TRACE(m.name);
    TempFolder folder;
    std::filesystem::create_directory(folder.File("bin"));
    std::filesystem::create_directory(folder.File("lib"));
    const std::string program = folder.File("bin/quorvel");
    std::filesystem::copy_file(QUORVEL_BINARY_DIR "/bin/quorvel", program);
    std::string module = folder.File("bin/libquorvel_qt_windows.so");
    if (m.module != nullptr) {
      module = folder.File("lib/libquorvel_qt_windows.so");
      const std::string bytes = m.module[0] == '/' ? ReadWholeFile(m.module) : m.module;
      WriteWholeFile(module, bytes);
    }
    const std::string model = folder.File("fleet.ms3d");
    WriteWholeFile(model, ReadWholeFile(kFleet));
    const std::string before = ReadWholeFile(model);
    const std::string png = folder.File("t.png");
    const auto run = [&](const std::string& arguments) {
      const std::string out = folder.File("stdout");
      const std::string err = folder.File("stderr");
      const std::string command = "env QUORVEL_PLUGIN=" QUORVEL_BINARY_DIR
                                  "/lib/libquorvel_plugin.so QT_QPA_PLATFORM=offscreen " +
                                  program + " " + arguments + " >" + out + " 2>" + err +
                                  " </dev/null";
      const int raw = std::system(command.c_str());
      return Result{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadWholeFile(out), ReadWholeFile(err)};
    };
    const std::string named = "the module of real windows " +
                              std::filesystem::canonical(folder.Path()).string() +
                              module.substr(folder.Path().size()) + " " + m.says;

    const Result edit = run("edit " + model);
    EXPECT_EQ(edit.status, 5) << edit.err;
    EXPECT_THAT(edit.err, HasSubstr("cannot show the editor's windows: " + named));
    EXPECT_THAT(edit.err, HasSubstr("--script FILE"));
    EXPECT_EQ(ReadWholeFile(model), before);

    const Result picture = run("timeline " + model + " -o " + png);
    EXPECT_EQ(picture.status, 1) << picture.err;
    EXPECT_THAT(picture.err, HasSubstr(named));
    EXPECT_THAT(picture.err, HasSubstr("write the picture as .svg"));
    EXPECT_FALSE(std::filesystem::exists(png));

    const Result window = run("timeline " + model);
    EXPECT_EQ(window.status, 5) << window.err;
    EXPECT_THAT(window.err, HasSubstr("cannot show a window: " + named));

    const Result show = run("show " + model);
    EXPECT_EQ(show.status, 0) << show.err;
    EXPECT_THAT(show.out, HasSubstr("\"Quorvel\" attributes of "));
  }
}

}  // namespace
}  // namespace quorvel::app
