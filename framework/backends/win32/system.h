// The system's headers for the Win32 backend's sources.
//
// Include this LAST: the system's headers define macros (IDOK, WS_POPUP, MessageBox,
// GetOpenFileName, ...) over names that the framework's headers declare, which must
// therefore have been read before.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <windowsx.h>
