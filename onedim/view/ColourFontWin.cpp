// The GDI half of a coloured font. It belongs to the model library in the
// Windows build, since every spectrum owns coloured fonts.
#include "onedim/model/ColourFont.h"

void CColourFont::RebuildFont() {
  ReleaseFont();
  m_hFont = ::CreateFontIndirectA(&m_lf);
}

void CColourFont::ReleaseFont() {
  if (m_hFont != nullptr)
    ::DeleteObject(m_hFont);
  m_hFont = nullptr;
}

void CColourFont::ApplyTextColour() {
  if (m_hDC != nullptr)
    ::SetTextColor(m_hDC, m_crText);
}
