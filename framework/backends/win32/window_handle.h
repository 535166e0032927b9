// The system's window handle, named without the system's headers (see system.h).
#pragma once

struct HWND__;

namespace quorvel::ui::win32 {

using WindowHandle = HWND__*;

}  // namespace quorvel::ui::win32
