// Handing a UI script from a host program to a plug-in module that has a dialog
// framework of its own, such as the plug-in DLL on Windows, which exports nothing
// but CreatePlugIn (library quorvel_ui_script). The host names, in the
// environment, the script, the line where the plug-in's part of it begins (the
// host may have played earlier steps for windows of its own), and a file where the
// plug-in reports how its run ended:
//
//   QUORVEL_UI_SCRIPT         the script file
//   QUORVEL_UI_SCRIPT_FROM    the script line of the plug-in's first step
//   QUORVEL_UI_SCRIPT_REPORT  the file for the outcome (see WriteRunOutcome)
//
// The host reads the outcome back, passes over the steps the plug-in played and
// plays the rest for its own windows.
#pragma once

#include <string>
#include <string_view>

#include "framework/script/script.h"

namespace quorvel::ui {

inline constexpr char kScriptVariable[] = "QUORVEL_UI_SCRIPT";
inline constexpr char kScriptFromVariable[] = "QUORVEL_UI_SCRIPT_FROM";
inline constexpr char kScriptReportVariable[] = "QUORVEL_UI_SCRIPT_REPORT";

// How a plug-in's run ended.
struct RunOutcome {
  enum class Kind {
    kPlayed,        // the run ended; `line` is that of the first step left, 0 for none
    kCancelled,     // the same, ended by the user's Cancel of the whole run (CancelWatch)
    kScriptFailed,  // a step failed; `line` is its line (0: not tied to one)
    kNoWindows,     // no window can be shown here; `message` says why
    kFailed,        // the run failed otherwise; `message` says how
  };
  Kind kind = Kind::kPlayed;
  int line = 0;
  // For a person: the failure (a script failure without its "script line N: "),
  // or the reason.
  std::string message;
};

// The outcome of a run that a ScriptFailure ended.
RunOutcome ScriptFailedOutcome(const ScriptFailure& failure);

// The report's text: a first line with the kind and the line number, then the
// message. ReadRunOutcome reads it back; a text that is no such report is a kFailed
// outcome that says so.
std::string WriteRunOutcome(const RunOutcome& outcome);
RunOutcome ReadRunOutcome(std::string_view text);

}  // namespace quorvel::ui
