#include "ndim/view/DibSection.h"

#include <vector>

#include "framework/win/Dc.h"

CDibSection::~CDibSection() {
  if (m_hBitmap) {
    m_dib.SetForeignBits(nullptr);
    ::DeleteObject(m_hBitmap);
  }
}

BOOL CDibSection::CreateSection(CDC* pDC) {
  if (!m_dib.m_lpBMIH || m_dib.m_lpImage || m_hBitmap)
    return FALSE;
  void* bits = nullptr;
  m_hBitmap = ::CreateDIBSection(pDC ? pDC->GetSafeHdc() : nullptr, reinterpret_cast<const BITMAPINFO*>(m_dib.m_lpBMIH),
                                 DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!m_hBitmap || !bits) {
    if (m_hBitmap)
      ::DeleteObject(m_hBitmap);
    m_hBitmap = nullptr;
    return FALSE;
  }
  m_dib.SetForeignBits(static_cast<BYTE*>(bits));
  return TRUE;
}

BOOL CDibSection::MakePalette() {
  const int n = m_dib.m_nColorTableEntries;
  if (n <= 0 || n > 256 || !m_dib.m_lpvColorTable)
    return FALSE;
  m_palette.DeleteObject();
  std::vector<BYTE> block(sizeof(LOGPALETTE) + n * sizeof(PALETTEENTRY));
  LOGPALETTE* lp = reinterpret_cast<LOGPALETTE*>(block.data());
  lp->palVersion = 0x300;
  lp->palNumEntries = static_cast<WORD>(n);
  for (int i = 0; i < n; ++i) {
    const DibColour& c = m_dib.m_lpvColorTable[i];
    lp->palPalEntry[i].peRed = c.red;
    lp->palPalEntry[i].peGreen = c.green;
    lp->palPalEntry[i].peBlue = c.blue;
    lp->palPalEntry[i].peFlags = 0;
  }
  return m_palette.CreatePalette(lp);
}

BOOL CDibSection::Draw(CDC* pDC, int x, int y, int width, int height, BOOL bFlip) {
  if (!m_dib.m_lpBMIH || !m_dib.m_lpImage)
    return FALSE;
  if (!m_palette.GetSafeHandle() && m_dib.m_nColorTableEntries > 0)
    MakePalette();
  HPALETTE hOldPalette = nullptr;
  if (m_palette.GetSafeHandle())
    hOldPalette = ::SelectPalette(pDC->GetSafeHdc(), static_cast<HPALETTE>(m_palette.GetSafeHandle()), TRUE);
  const int oldMode = pDC->SetStretchBltMode(COLORONCOLOR);
  if (bFlip) {
    y += height - 1;
    height = -height;
  }
  pDC->StretchDIBits(x, y, width, height, 0, 0, m_dib.Width(), m_dib.Height(), m_dib.m_lpImage,
                     reinterpret_cast<const BITMAPINFO*>(m_dib.m_lpBMIH), DIB_RGB_COLORS, SRCCOPY);
  pDC->SetStretchBltMode(oldMode);
  if (hOldPalette)
    ::SelectPalette(pDC->GetSafeHdc(), hOldPalette, TRUE);
  return TRUE;
}
