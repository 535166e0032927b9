// Without windows.h, whose macros would take the framework's names (IDOK, WS_*).
#include <process.h>
#include <stdlib.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "framework/script/script_hand_off.h"
#include "tools/quorvel/command_error.h"
#include "tools/quorvel/plugin_run.h"
#include "tools/quorvel/window_backend.h"

namespace quorvel::app {
namespace {

// Sets the variables of the hand-off for the length of a run, and clears them again.
// The C runtime's _putenv_s sets the process's own environment too, where the DLL
// reads them; an empty value removes a variable.
class HandOffVariables {
 public:
  HandOffVariables(const std::string& script, int from, const std::string& report) {
    _putenv_s(ui::kScriptVariable, script.c_str());
    _putenv_s(ui::kScriptFromVariable, std::to_string(from).c_str());
    _putenv_s(ui::kScriptReportVariable, report.c_str());
  }
  ~HandOffVariables() {
    for (const char* name :
         {ui::kScriptVariable, ui::kScriptFromVariable, ui::kScriptReportVariable}) {
      _putenv_s(name, "");
    }
  }
  HandOffVariables(const HandOffVariables&) = delete;
  HandOffVariables& operator=(const HandOffVariables&) = delete;
};

// The name of a file for the plug-in's report, in the folder for temporary files,
// removed with this object. The run writes it; a run that reports nothing leaves
// none.
class ReportFile {
 public:
  ReportFile() {
    static int count = 0;
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    path_ = (folder / ("quorvel-report-" + std::to_string(_getpid()) + "-" +
                       std::to_string(++count) + ".txt"))
                .string();
    std::filesystem::remove(path_, error);
  }
  ~ReportFile() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
  ReportFile(const ReportFile&) = delete;
  ReportFile& operator=(const ReportFile&) = delete;

  const std::string& Path() const { return path_; }
  std::string Text() const {
    std::ifstream in(path_, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

 private:
  std::string path_;
};

}  // namespace

bool RunPlugIn(PlugInModule& module, msModel* model, ui::ScriptRun* script) {
  const ReportFile report;
  const int next = script != nullptr ? script->NextLine() : 0;
  // Past the last line when the program's own windows played every step.
  const int from = next != 0 ? next : INT_MAX;
  {
    const HandOffVariables variables(script != nullptr ? script->Path() : "", from, report.Path());
    module.plugIn().Run(model);
  }
  const std::string text = report.Text();
  if (text.empty()) {
    throw std::runtime_error("the plug-in reported nothing of its run");
  }
  const ui::RunOutcome outcome = ui::ReadRunOutcome(text);
  switch (outcome.kind) {
    case ui::RunOutcome::Kind::kPlayed:
    case ui::RunOutcome::Kind::kCancelled:
      if (script != nullptr) {
        script->PassStepsBefore(outcome.line);
      }
      return outcome.kind == ui::RunOutcome::Kind::kCancelled;
    case ui::RunOutcome::Kind::kScriptFailed:
      throw ui::ScriptFailure(outcome.line, outcome.message);
    case ui::RunOutcome::Kind::kNoWindows:
      throw CommandError(kExitNoWindows, NoWindowsMessage(outcome.message));
    case ui::RunOutcome::Kind::kFailed:
      break;
  }
  throw std::runtime_error(outcome.message);
}

}  // namespace quorvel::app
