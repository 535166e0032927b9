// UI scripts: the steps a scripted user takes (library quorvel_ui_script).
//
// A script is parsed whole before anything runs, so a malformed line fails at once:
//
//   Script script = LoadScript("session.ui");   // or ParseScript(text)
//
// Any failure, in parsing or while playing, is a ScriptFailure whose message names
// the script line: "script line 7: expect 11008: expected \"2.50\", found \"2.5\"".
// Every backend plays a Script with the one ScriptPlayer (script_player.h).
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::ui {

enum class StepKind {
  kWindow,          // window NAME
  kTab,             // tab N
  kSet,             // set ID TEXT
  kPick,            // pick ID N
  kDoubleClick,     // dblclick ID N
  kClick,           // click ID
  kExpect,          // expect ID TEXT
  kExpectItems,     // expect-items ID LIST
  kExpectSelected,  // expect-selected ID N
  kExpectTabs,      // expect-tabs LIST
  kExpectActive,    // expect-active N
  kExpectTitle,     // expect-title TEXT
  kExpectMessage,   // expect-message TEXT
  kAnswer,          // answer WORD
  kExpectFolder,    // expect-folder TEXT
  kChoose,          // choose TEXT
  kCancel,          // cancel
};

struct Step {
  int line = 0;
  StepKind kind = StepKind::kWindow;
  std::string word;                // the step's word as written, for messages
  std::string name;                // window: "sheet", "message", "file" or a template id
  int id = 0;                      // control id
  int number = 0;                  // N
  std::string text;                // TEXT, WORD
  std::vector<std::string> items;  // LIST
};

struct Script {
  std::vector<Step> steps;
  int lineCount = 0;  // lines in the text, for failures at its end
};

class ScriptFailure : public std::runtime_error {
 public:
  // line 0: a failure not tied to a line (e.g. an unreadable file).
  ScriptFailure(int line, const std::string& message);
  int Line() const { return line_; }

 private:
  int line_;
};

Script ParseScript(std::string_view text);
// Reads and parses a script file; an unreadable file is a ScriptFailure too.
Script LoadScript(const std::string& path);

// How a failing step's message begins: its word and first argument ("click 1001").
std::string StepHead(const Step& step);
// Raises the failure of `step`: its line, then its head and `what`.
[[noreturn]] void FailStep(const Step& step, const std::string& what);
// "expected EXPECTED, found FOUND", as failed expectations are worded.
std::string ExpectedFound(const std::string& expected, const std::string& found);

// A text as a script would write it: in double quotes, JSON-escaped, its 8-bit
// characters in UTF-8.
std::string QuoteScriptText(std::string_view text);
// A LIST as a script would write it.
std::string QuoteScriptList(const std::vector<std::string>& items);

}  // namespace quorvel::ui
