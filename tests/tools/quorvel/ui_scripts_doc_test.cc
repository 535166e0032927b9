// docs/ui-scripts.md tells users how to write UI scripts: every script it shows is
// played here, as the doc says, on a fresh copy of the example model.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/ms3d_fixture.h"

namespace quorvel::app {
namespace {

using quorvel::testing::ReadWholeFile;
using quorvel::testing::TempFolder;
using quorvel::testing::WriteWholeFile;

struct DocScript {
  int line = 0;  // of the opening fence
  std::string text;
  std::string after;  // the doc's text up to the next block or heading
};

// The fenced blocks marked ui-script.
std::vector<DocScript> ScriptsIn(const std::string& doc) {
  std::vector<DocScript> scripts;
  std::istringstream lines(doc);
  std::string line;
  int number = 0;
  DocScript* open = nullptr;
  bool after = false;
  while (std::getline(lines, line)) {
    ++number;
    if (open == nullptr) {
      if (line.starts_with("```") || line.starts_with("#"))
        after = false;
      if (line == "```ui-script") {
        scripts.push_back({number, "", ""});
        open = &scripts.back();
      } else if (after) {
        scripts.back().after += line + "\n";
      }
    } else if (line == "```") {
      open = nullptr;
      after = true;
    } else {
      open->text += line + "\n";
    }
  }
  EXPECT_EQ(open, nullptr) << "a ui-script block is not closed";
  return scripts;
}

std::set<std::string> StepWords(const std::string& script) {
  std::set<std::string> words;
  std::istringstream lines(script);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.front() != '#')
      words.insert(line.substr(0, line.find(' ')));
  }
  return words;
}

// `err` without the report of the check that follows a save of `model`: its first
// line and the problem lines.
std::string WithoutSaveCheck(const std::string& err, const std::string& model) {
  std::istringstream lines(err);
  std::string rest;
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.starts_with("quorvel edit: " + model + " as saved: ") &&
        !line.starts_with(model + ": ")) {
      rest += line + "\n";
    }
  }
  return rest;
}

TEST(UiScriptsDocTest, EveryScriptPlaysOnTheExampleModel) {
  const std::string doc = ReadWholeFile(QUORVEL_SOURCE_DIR "/docs/ui-scripts.md");
  const std::vector<DocScript> scripts = ScriptsIn(doc);
  ASSERT_GE(scripts.size(), 6u);
  std::set<std::string> used;
  for (const DocScript& script : scripts) {
    SCOPED_TRACE("docs/ui-scripts.md line " + std::to_string(script.line));
    TempFolder folder;
    const std::string model = folder.File("fleet.ms3d");
    WriteWholeFile(model, ReadWholeFile(QUORVEL_SOURCE_DIR "/examples/fleet.ms3d"));
    const std::string path = folder.File("session.ui");
    WriteWholeFile(path, script.text);
    const std::string command = "env -u QUORVEL_PLUGIN ZU2_Root=/games/zu2 " QUORVEL_BINARY_DIR
                                "/bin/quorvel edit " +
                                model + " --script " + path + " >" + folder.File("out") + " 2>" +
                                folder.File("err") + " </dev/null";
    const int raw = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0) << ReadWholeFile(folder.File("err"));
    // Standard error holds nothing but the check of what a save wrote (the example
    // has joints with empty comments, which a save fills).
    EXPECT_EQ(WithoutSaveCheck(ReadWholeFile(folder.File("err")), model), "");
    const std::string out = ReadWholeFile(folder.File("out"));
    EXPECT_THAT(out, ::testing::StartsWith(model + ": "));
    // What the doc says the run says, where it says it.
    const std::string says = "It says `fleet.ms3d: ";
    if (const size_t at = script.after.find(says); at != std::string::npos) {
      const size_t start = at + says.size();
      EXPECT_EQ(out, model + ": " +
                         script.after.substr(start, script.after.find('`', start) - start) + "\n");
    }
    const std::set<std::string> words = StepWords(script.text);
    used.insert(words.begin(), words.end());
  }
  // Between them the scripts show every step in use.
  for (const char* step :
       {"window", "tab", "set", "pick", "dblclick", "click", "expect", "expect-items",
        "expect-selected", "expect-tabs", "expect-active", "expect-title", "expect-message",
        "answer", "expect-folder", "choose", "cancel"}) {
    EXPECT_TRUE(used.contains(step)) << step;
  }
}

}  // namespace
}  // namespace quorvel::app
