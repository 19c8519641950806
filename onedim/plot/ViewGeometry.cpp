#include "onedim/plot/ViewGeometry.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "numerics/Saturate.h"
#include "onedim/model/AxisScale.h"
#include "onedim/model/Integral.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/TextLabel.h"

namespace {

const int kSearchHalfWidth = 30;  // pixels either side of the cursor
const int kSearchShrinks = 100;

int EvenFloor(int n) {
  return n & ~1;  // two's complement: rounds negative indices down as well
}

// Rounded to the nearest pixel: a layout grown and shrunk back (a document
// saved with the full view shown, opened without it, the full view shown
// again) comes back where it was, and the full view shown and hidden again
// and again does not creep the layout up by a pixel each time.
int Scaled(int v, double ratio) {
  const long double d = (long double)v * ratio;
  return SaturatingInt(d >= 0 ? floorl(d + 0.5L) : -floorl(-d + 0.5L));
}

// Local maxima of |real| above fThreshold between float indices nFrom and
// nTo; the index of the last one found goes to nFound.
int CountMaxima(const CSpectrum& s, int nFrom, int nTo, double dThreshold, int& nFound) {
  const float* d = s.m_pData;
  const int td = s.m_paramsA.td;
  int nCount = 0;
  for (int i = nFrom < 2 ? 2 : nFrom; i <= nTo && i + 2 < td; i += 2) {
    const float a = std::fabs(d[i]);
    if (a > dThreshold && a > std::fabs(d[i - 2]) && a >= std::fabs(d[i + 2])) {
      nFound = i;
      nCount++;
    }
  }
  return nCount;
}

}  // namespace

int SpectrumPixelToPoint(const CSpectrum& s, int x) {
  const long long nSpan = (long long)s.m_nRightPixel - s.m_nLeftPixel;
  if (nSpan == 0)
    return s.m_nFirst;
  return ClampToInt(s.m_nFirst +
                    (long long)MulDivRound((long long)x - s.m_nLeftPixel, (long long)s.m_nLast - s.m_nFirst, nSpan));
}

int SpectrumPointToPixel(const CSpectrum& s, int nIndex) {
  const long long nSpan = (long long)s.m_nLast - s.m_nFirst;
  if (nSpan == 0)
    return s.m_nLeftPixel;
  return ClampToInt(s.m_nLeftPixel + (long long)MulDivRound((long long)s.m_nRightPixel - s.m_nLeftPixel,
                                                            (long long)nIndex - s.m_nFirst, nSpan));
}

int ClampEvenIndex(int nIndex, int td) {
  const int nEnd = EvenFloor(td < 0 ? 0 : td);
  nIndex = EvenFloor(nIndex);
  return nIndex < 0 ? 0 : (nIndex > nEnd ? nEnd : nIndex);
}

bool MapBandToRange(const CSpectrum& s, int xA, int xB, VisibleRange& range) {
  if (xA == xB)
    return false;
  if (xA > xB)
    std::swap(xA, xB);
  const int td = s.m_paramsA.td;
  VisibleRange r;
  r.nFirst = ClampEvenIndex(SpectrumPixelToPoint(s, xA), td);
  r.nLast = ClampEvenIndex(SpectrumPixelToPoint(s, xB), td);
  if (r.nLast - r.nFirst < 2)
    return false;
  range = r;
  return true;
}

bool MapRangeThroughHz(const CSpectrum& from, const VisibleRange& range, const CSpectrum& to, VisibleRange& out) {
  const CSpectrumParams& p = to.m_paramsA;
  if (p.td < 4 || p.sw == 0.0)
    return false;
  const auto toPoint = [&](int nIndex) {
    const double dHz = from.ConvertUnits(nIndex, AXIS_UNITS_HZ);
    return ClampEvenIndex(SaturatingInt(p.td * (p.sw - dHz) / p.sw - p.offset), p.td);
  };
  VisibleRange r;
  r.nFirst = toPoint(range.nFirst);
  r.nLast = toPoint(range.nLast);
  if (r.nFirst > r.nLast)
    std::swap(r.nFirst, r.nLast);
  if (r.nLast - r.nFirst < 2)
    return false;
  out = r;
  return true;
}

int FindNearestMaximum(const CSpectrum& s, int x, int y) {
  if (s.m_pData == nullptr || s.m_paramsA.td < 6)
    return -1;
  const double dThreshold = std::fabs((double)SaturatingInt(s.YToValue(y)));
  for (int nStep = 0; nStep < kSearchShrinks; nStep++) {
    const int nHalf = kSearchHalfWidth - nStep;
    if (nHalf < 0)
      return -1;
    int nFrom = EvenFloor(SpectrumPixelToPoint(s, x - nHalf));
    int nTo = EvenFloor(SpectrumPixelToPoint(s, x + nHalf));
    if (nFrom > nTo)
      std::swap(nFrom, nTo);
    int nFound = -1;
    const int nCount = CountMaxima(s, nFrom, nTo, dThreshold, nFound);
    if (nCount == 0)
      return -1;
    if (nCount == 1)
      return nFound;
  }
  return -1;
}

namespace {

const int kHitTolerance = 3;

bool InsideExtent(const CSpectrum& s, int x) {
  const int nLeft = s.m_nLeftPixel < s.m_nRightPixel ? s.m_nLeftPixel : s.m_nRightPixel;
  const int nRight = s.m_nLeftPixel < s.m_nRightPixel ? s.m_nRightPixel : s.m_nLeftPixel;
  return x >= nLeft && x <= nRight;
}

}  // namespace

bool HitsTrace(const CSpectrum& s, POINT pt) {
  if (s.m_pData == nullptr || !InsideExtent(s, pt.x))
    return false;
  const int nIndex = EvenFloor(SpectrumPixelToPoint(s, pt.x));
  if (nIndex < 0 || nIndex >= s.m_paramsA.td)
    return false;
  return std::abs((long long)s.PointToY(nIndex) - pt.y) <= kHitTolerance;
}

bool HitsFloatingScale(const CSpectrum& s, POINT pt) {
  return s.m_bShowScale && s.m_Scale.IsFloating() && InsideExtent(s, pt.x) &&
         std::abs((long long)s.m_Scale.GetPosition() - pt.y) <= kHitTolerance;
}

CString FormatCursorReadout(const CSpectrum& s, int x) {
  const int nIndex = EvenFloor(SpectrumPixelToPoint(s, x));
  if (s.m_pData == nullptr || nIndex < 0 || nIndex >= s.m_paramsA.td)
    return CString("Out of range");
  const int nUnits = s.m_Scale.m_nUnits;
  char szText[96];
  std::snprintf(szText, sizeof(szText), nUnits == AXIS_UNITS_POINTS ? "%.0f Int.=%.1f" : "%.2f Int.=%.1f",
                s.ConvertUnits(nIndex, nUnits), (double)s.m_pData[nIndex]);
  return CString(szText);
}

void ResizeRatios(const SIZE& oldSize, const SIZE& newSize, double& dx, double& dy) {
  dx = oldSize.cx < 1 || newSize.cx <= 0 ? 1.0 : (double)newSize.cx / oldSize.cx;
  dy = oldSize.cy < 1 || newSize.cy <= 0 ? 1.0 : (double)newSize.cy / oldSize.cy;
}

void RescaleSpectrumLayout(CSpectrum& s, double dx, double dy) {
  s.m_nLeftPixel = Scaled(s.m_nLeftPixel, dx);
  s.m_nRightPixel = Scaled(s.m_nRightPixel, dx);
  s.m_rectPlot.top = Scaled(s.m_rectPlot.top, dy);
  s.m_rectPlot.bottom = Scaled(s.m_rectPlot.bottom, dy);
  s.m_Scale.SetPosition(Scaled(s.m_Scale.GetPosition(), dy));
  s.m_fVerticalScale = (float)(s.m_fVerticalScale * dy);
  // The denominator divides the curves; it may not shrink to nothing.
  const int nDen = Scaled(s.m_nIntegralScaleDen, dy);
  s.m_nIntegralScaleDen = nDen == 0 ? (s.m_nIntegralScaleDen < 0 ? -1 : 1) : nDen;
  for (int i = 0; i < s.m_arrIntegrals.GetSize(); i++) {
    CIntegral* pIntegral = static_cast<CIntegral*>(s.m_arrIntegrals[i]);
    if (pIntegral != nullptr)
      pIntegral->m_nBase = Scaled(pIntegral->m_nBase, dy);
  }
}

RECT MoveZoomBox(const RECT& box, int nMode, int nEdge, int dx, int nMinX, int nMaxX) {
  RECT r = box;
  if (nMode == 2) {
    const int nWidth = r.right - r.left;
    r.left += dx;
    if (r.left < nMinX)
      r.left = nMinX;
    if (r.left + nWidth > nMaxX)
      r.left = nMaxX - nWidth < nMinX ? nMinX : nMaxX - nWidth;
    r.right = r.left + nWidth;
  } else if (nMode == 1) {
    (nEdge == 0 ? r.left : r.right) += dx;
  }
  if (r.left > r.right)
    std::swap(r.left, r.right);
  if (r.left < nMinX)
    r.left = nMinX;
  if (r.right > nMaxX)
    r.right = nMaxX;
  return r;
}

int ZoomBoxHitMode(const RECT& boxIn, POINT pt, int& nEdge) {
  const int nInset = 5;
  RECT box = boxIn;  // an edge dragged over the other leaves it inverted
  if (box.left > box.right)
    std::swap(box.left, box.right);
  if (pt.y < box.top || pt.y >= box.bottom || pt.x < box.left || pt.x >= box.right)
    return 0;
  if (pt.x < box.left + nInset) {
    nEdge = 0;
    return 1;
  }
  if (pt.x >= box.right - nInset) {
    nEdge = 1;
    return 1;
  }
  return 2;
}

VisibleRange MagnifierSourceRange(const CSpectrum& s, int nSize, int nMagnification, int nLensLeft) {
  const int td = EvenFloor(s.m_paramsA.td < 0 ? 0 : s.m_paramsA.td);
  if (nMagnification < 1)
    nMagnification = 1;  // the settings dialog keeps it at 1 and above
  const int w = nSize / nMagnification * 10;
  const int sl = nSize / 2 + nLensLeft - w / 2;
  int sr = sl + w;
  VisibleRange r;
  r.nFirst = EvenFloor(SpectrumPixelToPoint(s, sl));
  // A lens past the left end starts at point 0 and still shows what lies
  // under its right part.
  if (r.nFirst < 0)
    r.nFirst = 0;
  if (sr < 0)
    sr = 0;
  r.nLast = EvenFloor(SpectrumPixelToPoint(s, sr));
  if (r.nLast < r.nFirst)
    r.nLast = r.nFirst;
  if (r.nFirst > td || r.nLast > td)
    r.nFirst = r.nLast = td;
  return r;
}

CTextLabel* TextLabelAt(const CSpectrum& s, POINT pt) {
  for (INT_PTR i = s.m_arrLabels.GetSize() - 1; i >= 0; i--) {
    CTextLabel* pLabel = static_cast<CTextLabel*>(s.m_arrLabels.GetAt(i));
    const RECT& r = pLabel->m_rectDrawn;
    if (pt.x >= r.left && pt.x < r.right && pt.y >= r.top && pt.y < r.bottom)
      return pLabel;
  }
  return nullptr;
}

void MoveTextLabel(CTextLabel& label, int dx, int dy) {
  label.m_y += dy;
  label.m_x = label.m_bAttached ? label.PixelToPoint(label.PointToPixel(label.m_x) + dx) : label.m_x + dx;
}

void ApplyIntegralTrack(CSpectrum& s, CIntegral& integral, const RECT& before, const RECT& after, bool bAll) {
  const int nOldWidth = before.right - before.left, nOldHeight = before.bottom - before.top;
  const int nNewWidth = after.right - after.left, nNewHeight = after.bottom - after.top;
  if (nOldWidth == nNewWidth && nOldHeight == nNewHeight) {
    const int dy = after.top - before.top;
    for (int i = 0; i < s.m_arrIntegrals.GetSize(); i++) {
      CIntegral* pOther = static_cast<CIntegral*>(s.m_arrIntegrals[i]);
      if (pOther != nullptr && pOther != &integral && bAll)
        pOther->m_nBase += dy;
    }
    integral.m_nBase += dy;
    return;
  }
  const int td = s.m_paramsA.td;
  const int nStart = ClampEvenIndex(SpectrumPixelToPoint(s, after.left + 1), td);
  const int nEnd = ClampEvenIndex(SpectrumPixelToPoint(s, after.right - 1), td);
  if (nEnd - nStart >= 2) {
    integral.m_nStart = nStart;
    integral.m_nEnd = nEnd;
  }
  if (nOldHeight > 0 && nNewHeight > 0 && nNewHeight != nOldHeight) {
    const int nDen = Scaled(s.m_nIntegralScaleDen, (double)nNewHeight / nOldHeight);
    s.m_nIntegralScaleDen = nDen == 0 ? (s.m_nIntegralScaleDen < 0 ? -1 : 1) : nDen;
  }
}
