// The Win32 declarations every window-side file of the framework needs:
// the platform headers that WIN32_LEAN_AND_MEAN leaves out (common controls,
// common dialogs, shell), on top of the value types of framework/base.
#pragma once

#include "framework/base/WinTypes.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

// What a drop does with the data (DROPEFFECT_COPY, ...).
typedef DWORD DROPEFFECT;

// The framework's own window messages, in the range winuser.h reserves for an
// application framework (0x0360..0x037F).
#define WM_KICKIDLE 0x0360          // idle time in a modal loop; wParam 0, lParam idle count
#define WM_IDLEUPDATECMDUI 0x0361   // update-UI pass; wParam: disable commands that have no handler
#define WM_RUNDIALOGHOOK 0x0362     // posted by a common dialog to itself once it is up (test hook)
#define WM_INITIALUPDATE 0x0364     // sent to each view of a new frame once it is built
#define WM_SETMESSAGESTRING 0x0365  // to a frame: wParam a command whose prompt the status bar shows, or lParam a text
#define WM_RECALCPARENT 0x0368      // to a frame from one of its bars: lay the bars and client area out again
