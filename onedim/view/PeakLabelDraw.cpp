#include "onedim/view/PeakLabelDraw.h"

#include <vector>

#include "framework/base/Rect.h"
#include "framework/win/Dc.h"
#include "framework/win/GdiObject.h"
#include "numerics/Saturate.h"
#include "onedim/model/AxisScale.h"
#include "onedim/model/PeakPicking.h"
#include "onedim/model/Spectrum.h"

namespace {

struct PlacedLabel {
  CRect box;
  CString text;
  POINT tick;  // top of the tick
};

}  // namespace

void DrawPeakLabels(CSpectrum* pSpectrum, CDC* pDC) {
  if (pSpectrum == nullptr || pSpectrum->m_pData == nullptr)
    return;
  CSpectrum& s = *pSpectrum;
  const double fx = s.m_dPrintScaleX, fy = s.m_dPrintScaleY;
  LOGFONT lf = s.m_PeakFont.GetLogFont();
  lf.lfEscapement = lf.lfOrientation = 900;
  lf.lfHeight = SaturatingInt(lf.lfHeight * fy);
  CFont font;
  font.CreateFontIndirect(&lf);
  CSelectGuard fontGuard(pDC->m_hDC, font.m_hObject != nullptr ? font.m_hObject : ::GetStockObject(SYSTEM_FONT));
  pDC->SetBkMode(TRANSPARENT);
  pDC->SetTextColor(s.m_PeakFont.GetTextColour());
  TEXTMETRICA tm = {};
  pDC->GetTextMetrics(&tm);
  const int t = tm.tmHeight;
  const int nUnits = s.m_Scale.m_nUnits;
  const double dSpan = (double)s.m_nLast - s.m_nFirst;

  std::vector<PlacedLabel> placed;
  for (int n = 0; n < s.GetPeakCount(); n++) {
    double p = s.GetPeakPosition(n);
    const int nIndex = (int)(2 * p);
    const int x = dSpan != 0.0 ? SaturatingInt(s.m_nLeftPixel + ((double)s.m_nRightPixel - s.m_nLeftPixel) *
                                                                    ((double)nIndex - s.m_nFirst) / dSpan)
                               : s.m_nLeftPixel;
    const int y = s.PointToY(nIndex) - 5;
    if (s.m_bInterpolatePeaks) {
      double h = 0.0, w = 0.0;
      peakwidth(s.m_pData, s.m_paramsA.td / 2, p, h, w);
    }
    CString text;
    text.Format(nUnits == AXIS_UNITS_POINTS ? "%.0lf" : "%.3lf", s.ConvertUnits(2.0 * p, nUnits));
    const int xd = SaturatingInt(x * fx), yd = SaturatingInt(y * fy);
    pDC->MoveTo(xd, yd);
    pDC->LineTo(xd, SaturatingInt(yd - 20 * fy));

    PlacedLabel label{CRect(xd - t / 2, 0, xd + t / 2, 1000), text, {xd, SaturatingInt(yd - 20 * fy)}};
    // Steps of 2 to the right until it meets no placed label; a step past
    // one label at a time lands where the single steps would stop.
    for (bool bMoved = true; bMoved && label.box.right < 0x3FFFFFFF;) {
      bMoved = false;
      for (const PlacedLabel& other : placed) {
        CRect common;
        if (common.IntersectRect(&label.box, &other.box)) {
          const int nOverlap = other.box.right - label.box.left;
          label.box.OffsetRect(nOverlap + (nOverlap & 1), 0);
          bMoved = true;
        }
      }
    }
    placed.push_back(label);
  }

  CRect clip;
  pDC->GetClipBox(&clip);
  for (const PlacedLabel& label : placed) {
    if (label.box.left > clip.right)
      continue;
    pDC->TextOut(label.box.left, SaturatingInt(50 * fy), label.text);
    pDC->MoveTo(label.tick.x, SaturatingInt(100 * fy));
    pDC->LineTo(label.box.CenterPoint().x, SaturatingInt(50 * fy));
  }
}
