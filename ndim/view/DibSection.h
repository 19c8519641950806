// The GDI half of a CDib: a DIB section whose bits the bitmap then uses, a
// palette from its colour table, and its drawing onto a DC. The section and
// the palette are deleted with this object, which must not outlive the dib.
#pragma once

#include "framework/win/GdiObject.h"
#include "ndim/plot/Dib.h"

class CDC;

class CDibSection {
 public:
  explicit CDibSection(CDib& dib) : m_dib(dib) {}
  ~CDibSection();
  CDibSection(const CDibSection&) = delete;
  CDibSection& operator=(const CDibSection&) = delete;

  // A section for the dib's header when it has no bits yet; the dib's bits
  // are then the section's.
  BOOL CreateSection(CDC* pDC);
  // A palette of the colour table, when there is one.
  BOOL MakePalette();
  // Stretches the whole image onto the rectangle; with bFlip the first
  // stored row lands at the top. 0 without a header or bits.
  BOOL Draw(CDC* pDC, int x, int y, int width, int height, BOOL bFlip);

  HBITMAP GetSection() const { return m_hBitmap; }
  CPalette m_palette;

 private:
  CDib& m_dib;
  HBITMAP m_hBitmap = nullptr;
};
