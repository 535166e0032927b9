// A probe for timing the editor: with QUORVEL_EXIT_WHEN_SHOWN set in the
// environment, the process writes "sheet shown" to standard error and ends (status
// 0, nothing saved) as soon as the sheet's window is mapped and exposed on the
// screen. bench/compare.sh times `quorvel edit` up to that moment.
#pragma once

#include <QWidget>

namespace quorvel::ui::qt {

// Call once the window has its native window (from showEvent); does nothing unless
// the variable is set.
void ProbeFirstExpose(QWidget& window);

}  // namespace quorvel::ui::qt
