// The GDI half of the coloured font in the Windows builds.
#include "onedim/model/ColourFont.h"

// The three GDI calls the font needs, declared here so that the model needs
// no platform header.
extern "C" HFONT __stdcall CreateFontIndirectA(const LOGFONT* lplf);
extern "C" BOOL __stdcall DeleteObject(void* hObject);
extern "C" COLORREF __stdcall SetTextColor(HDC hdc, COLORREF color);

void CColourFont::RebuildFont() {
  FreeGdiFont();
  m_hFont = CreateFontIndirectA(&m_lf);
}

void CColourFont::FreeGdiFont() {
  if (m_hFont != nullptr)
    DeleteObject(m_hFont);
  m_hFont = nullptr;
}

void CColourFont::ApplyTextColour() {
  if (m_hDC != nullptr)
    SetTextColor(m_hDC, m_crText);
}
