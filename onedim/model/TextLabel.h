// A piece of free text on a spectrum: a title, a comment, the acquisition
// parameters. The spectrum owns its labels; the document file stores them.
#pragma once

#include "framework/base/Object.h"
#include "framework/base/String.h"
#include "framework/base/WinTypes.h"

class CSpectrum;

enum {
  TEXT_ALIGN_CENTRE = 0,
  TEXT_ALIGN_LEFT = 1,
  TEXT_ALIGN_RIGHT = 2,
};

class CTextLabel : public CObject {
  DECLARE_DYNCREATE(CTextLabel)

 public:
  CTextLabel();  // empty text at (100, 100)
  // An attached label takes x as a view pixel and keeps the data point
  // under it, so that it stays with the spectrum when the view zooms.
  CTextLabel(LPCSTR pszText, const LOGFONT* pLogFont, CSpectrum* pSpectrum, COLORREF crText, BOOL bAttached, int x,
             int y);
  ~CTextLabel() override;

  // Conversions through the owner's visible range and pixel extent; the
  // value is returned unchanged when there is no owner or no extent.
  int PixelToPoint(int x) const;
  int PointToPixel(int nPoint) const;

  // The DrawText flags that measure and that draw a label of an alignment
  // (an unknown alignment draws as a left-aligned one).
  static void GetTextFlags(int nAlign, UINT& nMeasureFlags, UINT& nDrawFlags);
  // Where the text is anchored on the device: the view pixel (x mapped from
  // its point when attached) times the print factors plus the margins.
  POINT GetDeviceAnchor(double dFactorX, double dFactorY, int nLeftMargin, int nTopMargin) const;
  // The font height: the base height, scaled by the y factor on paper.
  int GetDrawHeight(bool bPaper, double dFactorY) const;

  CString m_strText;
  int m_x;           // view pixel, or float index when attached
  int m_y;           // view pixel
  RECT m_rectDrawn;  // where the text was last drawn (hit testing)
  LOGFONT m_lf;
  COLORREF m_crText;
  CSpectrum* m_pSpectrum;  // owner, not owned
  int m_nAlign;            // TEXT_ALIGN_*
  BYTE m_bAttached;        // x follows the data
  int m_nBaseHeight;       // LOGFONT height on screen; printing scales it
};

// One layout in every translation unit, window code included: a member that
// only some files or builds see stops the build here.
static_assert(sizeof(CTextLabel) == (sizeof(void*) == 8 ? 152 : 132), "CTextLabel layout");
