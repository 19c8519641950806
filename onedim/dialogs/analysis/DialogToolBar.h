// The toolbar along the top of a list dialog (peak list, coupling table,
// Reference): flat buttons of 16 x 15 glyphs, each labelled with the text
// after the "\n" of its command's string.
#pragma once

#include "framework/win/ToolBar.h"

class CWnd;

// Creates the bar from toolbar resource nID across the top of pParent's
// client area; FALSE when it could not be made.
BOOL CreateDialogToolBar(CToolBar& bar, CWnd* pParent, UINT nID);
