#pragma once

#include <windows.h>

#include <string>

namespace quorvel::host {

// What the Windows pieces of the host library share.

// Paths are 8-bit texts in the system's ANSI code page, as every host function takes
// them; the system's own calls are made with their UTF-16 form. Both throw Ms3dError
// for a text that the code page cannot convert.
std::wstring WidePath(const std::string& path);
std::string NarrowPath(const std::wstring& path);

// Sets errno to the nearest match of the system's last error (GetLastError), so that
// the messages name failures in the same words on every platform.
void TakeLastError();

// The system's handle behind a C runtime descriptor, and a descriptor that owns
// `handle` (closing it closes the handle); -1 when none can be made, with the handle
// closed.
HANDLE HandleOf(int fd);
int DescriptorOwning(HANDLE handle, int flags);

}  // namespace quorvel::host
