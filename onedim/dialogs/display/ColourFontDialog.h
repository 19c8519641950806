// The font dialog of a coloured font.
#pragma once

#include "framework/base/WinTypes.h"

class CColourFont;
class CDC;
class CWnd;

// The font dialog on pStart's LOGFONT (or the font's own) and the font's
// colour; OK stores the chosen font and colour in the font. Returns whether
// OK was pressed.
BOOL ChooseColourFont(CColourFont& font, const CColourFont* pStart = nullptr, CDC* pPrinterDC = nullptr,
                      CWnd* pParent = nullptr);
