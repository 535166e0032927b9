// The platform's constants, under the names the dialog code is written with.
#pragma once

#include <cstdint>

#include "framework/core/dialog_template.h"  // style bits, IDOK, IDCANCEL, IDC_STATIC

namespace quorvel::ui {

// Results of dialogs and message boxes. IDOK and IDCANCEL come with the templates.
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// Message box flags: the buttons (low four bits), the icon, the default button.
inline constexpr unsigned MB_OK = 0x0000u;
inline constexpr unsigned MB_OKCANCEL = 0x0001u;
inline constexpr unsigned MB_ABORTRETRYIGNORE = 0x0002u;
inline constexpr unsigned MB_YESNOCANCEL = 0x0003u;
inline constexpr unsigned MB_YESNO = 0x0004u;
inline constexpr unsigned MB_RETRYCANCEL = 0x0005u;
inline constexpr unsigned MB_TYPEMASK = 0x000Fu;
inline constexpr unsigned MB_ICONHAND = 0x0010u;
inline constexpr unsigned MB_ICONERROR = MB_ICONHAND;
inline constexpr unsigned MB_ICONSTOP = MB_ICONHAND;
inline constexpr unsigned MB_ICONQUESTION = 0x0020u;
inline constexpr unsigned MB_ICONEXCLAMATION = 0x0030u;
inline constexpr unsigned MB_ICONWARNING = MB_ICONEXCLAMATION;
inline constexpr unsigned MB_ICONASTERISK = 0x0040u;
inline constexpr unsigned MB_ICONINFORMATION = MB_ICONASTERISK;
inline constexpr unsigned MB_ICONMASK = 0x00F0u;
inline constexpr unsigned MB_DEFBUTTON1 = 0x0000u;
inline constexpr unsigned MB_DEFBUTTON2 = 0x0100u;
inline constexpr unsigned MB_DEFBUTTON3 = 0x0200u;
inline constexpr unsigned MB_DEFMASK = 0x0F00u;

// Notification codes, as message map entries name them.
inline constexpr int BN_CLICKED = 0;
inline constexpr int CBN_SELCHANGE = 1;
inline constexpr int CBN_EDITCHANGE = 5;
inline constexpr int EN_CHANGE = 0x0300;
inline constexpr int NM_CLICK = -2;
inline constexpr int NM_DBLCLK = -3;
inline constexpr int LVN_ITEMCHANGED = -101;

// Error results of combo box and list operations.
inline constexpr int CB_ERR = -1;
inline constexpr int LB_ERR = -1;

// CListCtrl::GetNextItem flags.
inline constexpr unsigned LVNI_ALL = 0x0000u;
inline constexpr unsigned LVNI_FOCUSED = 0x0001u;
inline constexpr unsigned LVNI_SELECTED = 0x0002u;

}  // namespace quorvel::ui
