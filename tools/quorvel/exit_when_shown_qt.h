// The probe that times the windows of the quorvel command (bench/compare.sh), in
// the module of real windows only: the command installs it when the environment
// asks for it, and no window knows of it otherwise.
//
// With QUORVEL_EXIT_WHEN_SHOWN set, `quorvel edit` writes "sheet shown" to standard
// error and ends (status 0, nothing saved) as soon as the sheet's window is mapped
// and exposed on the screen; bench/compare.sh times it up to that moment. The
// variable may instead name actions, separated by commas, that are timed one after
// the other once the sheet is on screen, before the process ends:
//   last-tab       the last tab is clicked, until its page is built and painted;
//   open-close:ID  the control ID is clicked, which opens a window (the Event Editor
//                  behind 11014); the window is closed with Cancel as soon as it is
//                  exposed, until the sheet is painted again.
// Each writes "ACTION: CPU_MS WALL_MS" to standard error (milliseconds of the
// process's CPU time and of wall time). An action that cannot be done writes
// "ACTION: failed" and ends the process with status 1.
//
// `quorvel timeline` without -o writes "timeline shown" once its window is first
// painted and ends; with the variable set to "scroll", it first scrolls the picture
// down page by page to its end and back along the time axis zoomed in, painting
// each step, and writes "scroll: STEPS steps, slowest CPU_MS WALL_MS" (milliseconds
// of the slowest step).
#pragma once

#include <optional>
#include <string>

namespace quorvel::ui::qt {
class QtBackend;
}

namespace quorvel::app {

class TimelineView;

inline constexpr char kExitWhenShownVariable[] = "QUORVEL_EXIT_WHEN_SHOWN";

// What the environment asks of the probe: the variable's value, or nullopt when it
// is unset or empty. The one place it is read.
std::optional<std::string> ExitWhenShownRequest();

// When asked, installs the probe on the sheets that `backend` shows.
void InstallEditorProbe(ui::qt::QtBackend& backend);
// When asked, installs the probe on the timeline's window.
void InstallTimelineProbe(TimelineView& view);

}  // namespace quorvel::app
