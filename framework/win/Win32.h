// The Win32 declarations every window-side file needs: the platform headers,
// with the parts that WIN32_LEAN_AND_MEAN leaves out (common controls, common
// dialogs, shell). The build includes this header first in every Windows-only
// file, so that the portable headers after it find the platform's value
// types and declare none of their own (framework/base/WinTypes.h).
#pragma once

#ifdef BRIVANE_OWN_WIN_TYPES
#error "framework/win/Win32.h comes before the portable headers"
#endif

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#define BRIVANE_PLATFORM_TYPES 1
#include "framework/base/WinTypes.h"

// The portable settings store has members of these names; window code calls
// the platform's functions by their ...A names.
#undef GetProfileInt
#undef GetProfileString
#undef WriteProfileString

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
