// The clipboard half of the text lists (the history among them).
#pragma once

#include "framework/win/Win32.h"

// Puts the text on the clipboard as CF_TEXT, owned by hWndOwner (null
// allowed). 1 on success, 0 when the clipboard or the memory cannot be had.
int CopyTextToClipboard(LPCSTR pszText, HWND hWndOwner);
