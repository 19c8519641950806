// What the magnifier's lens shows over the graph view: the current set
// drawn again in its display mode, magnified both ways, with a crosshair
// and the position under the lens centre.
#include "framework/win/Dc.h"
#include "ndim/app/BrivanenDDoc.h"
#include "ndim/app/BrivanenDView.h"
#include "ndim/data/Spectrum2D.h"
#include "ndim/plot/NdViewGeometry.h"
#include "ndim/view/NdPlotDraw.h"

namespace {

const int kCrosshairGap = 12;  // pixels left clear round the lens centre

}  // namespace

void CBrivanenDView::DrawMagnified(CDC* pDC, int nLensLeft, int nLensTop, int nSize, int nMagnification) {
  CBrivanenDDoc* pDoc = GetDocument();
  CSpectrum2D* pSet = pDoc != nullptr ? pDoc->GetCurrentSet() : nullptr;
  if (pSet == nullptr || nMagnification < 1)
    return;
  if (pSet->m_nDisplayMode == 4) {
    // Coloured contours: the view's own pixels under the lens, stretched.
    CDC snapshot;
    if (m_magnifier.GetSnapshot() == nullptr || !snapshot.CreateCompatibleDC(pDC))
      return;
    const int side = nSize * 10 / nMagnification;
    CSelectGuard bitmapGuard(snapshot.m_hDC, m_magnifier.GetSnapshot());
    pDC->SetStretchBltMode(COLORONCOLOR);
    pDC->StretchBlt(0, 0, nSize, nSize, &snapshot, nLensLeft + nSize / 2 - side / 2, nLensTop + nSize / 2 - side / 2,
                    side, side, SRCCOPY);
    return;
  }
  NdWindow window;
  RECT dest;
  if (!LensWindow(*pSet, nLensLeft, nLensTop, nSize, nMagnification, window, dest))
    return;
  const NdMatrix m = MatrixOf(*pSet);
  CSelectGuard penGuard(pDC->m_hDC, ::GetCurrentObject(pDC->m_hDC, OBJ_PEN));
  switch (pSet->m_nDisplayMode) {
    case 0: {
      const RasterPalette palette = {pSet->m_red, pSet->m_green, pSet->m_blue};
      DrawRaster(pDC, dest, m, window, pSet->m_fLowestLevel, pSet->m_fLevelRatio, palette);
      break;
    }
    case 1: {
      CContourPens positive(pSet->m_positiveColours);
      CContourPens negative(pSet->m_negativeColours);
      DrawContour(pDC, m, window, dest, pSet->m_nPositiveLevels, pSet->m_fLowestLevel, pSet->m_fLevelRatio, positive);
      DrawContour(pDC, m, window, dest, pSet->m_nNegativeLevels, -pSet->m_fLowestLevel, pSet->m_fLevelRatio, negative);
      break;
    }
    case 2:
      DrawStacked(pDC, m, dest, window, pSet->m_fStackScale);
      break;
    case 3:
      DrawWhitewash(pDC, m, dest, window, pSet->m_fStackScale, 1.0);
      break;
    default:
      break;
  }
}

void CBrivanenDView::DrawLensOverlay(CDC* pDC, int nLensLeft, int nLensTop, int nSize) {
  const int c = nSize / 2;
  {
    CPen pen(PS_DOT, 1, RGB(128, 128, 128));
    CSelectGuard penGuard(*pDC, &pen);
    pDC->MoveTo(0, c);
    pDC->LineTo(c - kCrosshairGap, c);
    pDC->MoveTo(c + kCrosshairGap, c);
    pDC->LineTo(nSize, c);
    pDC->MoveTo(c, 0);
    pDC->LineTo(c, c - kCrosshairGap);
    pDC->MoveTo(c, c + kCrosshairGap);
    pDC->LineTo(c, nSize);
  }
  CBrivanenDDoc* pDoc = GetDocument();
  const CSpectrum2D* pSet = pDoc != nullptr ? pDoc->GetCurrentSet() : nullptr;
  const CPoint centre(nLensLeft + c, nLensTop + c);
  if (pSet == nullptr || !pSet->m_plotRect.PtInRect(centre))
    return;  // no position off the plot
  const CPoint p = pSet->PixelToPoint(centre.x, centre.y);
  CFont font;
  font.CreateFont(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                  DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Verdana");
  CSelectGuard fontGuard(pDC->m_hDC, font.GetSafeHandle() ? font.GetSafeHandle() : ::GetStockObject(SYSTEM_FONT));
  const int nOldMode = pDC->SetBkMode(TRANSPARENT);
  const COLORREF crOld = pDC->SetTextColor(RGB(0, 0, 0));
  const std::string f1 = FormatNdPosition(*pSet, 1, p.y);
  const std::string f2 = FormatNdPosition(*pSet, 2, p.x);
  pDC->TextOut(5, nSize / 2 + 5, f1.c_str(), (int)f1.size());
  pDC->TextOut(nSize / 2 + 5, nSize - 45, f2.c_str(), (int)f2.size());
  pDC->SetTextColor(crOld);
  pDC->SetBkMode(nOldMode);
}
