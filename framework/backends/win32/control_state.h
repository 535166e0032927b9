// What a system control shows: written from the framework's Control, and read back
// from the control itself (for the scripts, which check that the real control shows
// what the framework holds). Texts pass through the A messages byte for byte.
#pragma once

#include <string>
#include <vector>

#include "framework/backends/win32/window_handle.h"
#include "framework/core/control.h"

namespace quorvel::ui::win32 {

// Shows control's state in handle. keepCaret: the user is typing into this very
// field, so its caret stays where the keys put it.
void MirrorControl(const Control& control, WindowHandle handle, bool keepCaret = false);

// A window's text (an edit's, a static's, a button's caption, a combo's field).
std::string WindowText(WindowHandle handle);
// The items of a combo box or list view, and the selected one (-1: none).
std::vector<std::string> ShownItems(ControlClass kind, WindowHandle handle);
int ShownSelection(ControlClass kind, WindowHandle handle);

}  // namespace quorvel::ui::win32
