// A probe for timing the editor: with QUORVEL_EXIT_WHEN_SHOWN set in the
// environment, the process writes "sheet shown" to standard error and ends (status
// 0, nothing saved) as soon as the sheet's window is mapped and exposed on the
// screen. bench/compare.sh times `quorvel edit` up to that moment.
//
// The variable may instead name actions, separated by commas, that are timed one
// after the other once the sheet is on screen, before the process ends:
//   last-tab       the last tab is clicked, until its page is built and painted;
//   open-close:ID  the control ID is clicked, which opens a window (the Event Editor
//                  behind 11014); the window is closed with Cancel as soon as it is
//                  exposed, until the sheet is painted again.
// Each writes "ACTION: CPU_MS WALL_MS" to standard error (milliseconds of the
// process's CPU time and of wall time). An action that cannot be done writes
// "ACTION: failed" and ends the process with status 1.
#pragma once

namespace quorvel::ui::qt {

class QtWindow;

// Call once the sheet has its native window (from showEvent); does nothing unless
// the variable is set.
void ProbeFirstExpose(QtWindow& sheet);

}  // namespace quorvel::ui::qt
