// Without GDI the coloured font is its LOGFONT and colour only.
#include "onedim/model/ColourFont.h"

void CColourFont::RebuildFont() {}

void CColourFont::FreeGdiFont() {}

void CColourFont::ApplyTextColour() {}
