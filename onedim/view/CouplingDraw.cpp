#include "onedim/view/CouplingDraw.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "framework/win/Dc.h"
#include "framework/win/GdiObject.h"
#include "numerics/Saturate.h"
#include "onedim/model/AxisScale.h"
#include "onedim/model/ColourFont.h"
#include "onedim/model/MeasureJ.h"
#include "onedim/model/Spectrum.h"
#include "onedim/plot/ViewGeometry.h"
#include "onedim/view/ArrowMarkDraw.h"

void DrawCouplingBracket(CDC* pDC, const CSpectrum& s, int x1, int y1, int x2, int y2, double dJ) {
  const double sx = s.m_dPrintScaleX, sy = s.m_dPrintScaleY;
  auto X = [sx](double v) {
    return SaturatingInt(v * sx);
  };
  auto Y = [sy](double v) {
    return SaturatingInt(v * sy);
  };
  const int f = std::min(std::abs(y1), std::abs(y2));
  const int m = (x1 + x2) / 2;

  CPen pen(PS_SOLID, 1, RGB(255, 0, 0));
  CBrush white(RGB(255, 255, 255));
  CSelectGuard penGuard(*pDC, &pen);
  CSelectGuard brushGuard(*pDC, &white);
  const POINT bracket[5] = {{X(x1), Y(y1)}, {X(x1), Y(f - 20)}, {X(m), Y(f - 35)}, {X(x2), Y(f - 20)}, {X(x2), Y(y2)}};
  pDC->Polyline(bracket, 5);
  pDC->MoveTo(X(m), Y(f - 35));
  pDC->LineTo(X(m), Y(f - 45));

  // The default coloured font, made once; scaled copies for paper.
  static const CColourFont kDefault;
  LOGFONT lf = kDefault.GetLogFont();
  lf.lfHeight = SaturatingInt(lf.lfHeight * sy);
  CFont font;
  HGDIOBJ hFont = lf.lfHeight == kDefault.GetHeight() ? kDefault.GetSafeHandle() : nullptr;
  if (hFont == nullptr && font.CreateFontIndirect(&lf))
    hFont = font.m_hObject;
  CSelectGuard fontGuard(pDC->m_hDC, hFont != nullptr ? hFont : ::GetStockObject(SYSTEM_FONT));
  char text[64];
  std::snprintf(text, sizeof text, "J=%.3lf", dJ);
  CRect box(0, 0, 0, 0);
  pDC->DrawText(text, &box, DT_CALCRECT | DT_SINGLELINE);
  const int nBottom = SaturatingInt(std::max(sy * (f - 20) - 15 * sy, 40 * sy) - 25 * sy);
  box.OffsetRect(X(m) - box.Width() / 2 - box.left, nBottom - box.bottom);
  box.InflateRect(X(5), Y(1));
  DrawMarkLabel(pDC, text, box);
}

void DrawCouplingPair(CDC* pDC, const CSpectrum& s, int nMeasure, int nPartner) {
  if (nMeasure < 0 || nMeasure >= s.m_arrCouplings.GetSize())
    return;
  const CMeasureJ& measure = *static_cast<const CMeasureJ*>(s.m_arrCouplings.GetAt(nMeasure));
  if (nPartner < 0 || nPartner >= measure.m_arrPartners.GetSize())
    return;
  const int a = measure.m_nReference, b = measure.m_arrPartners[nPartner];
  // Brackets never reach above the top 40 pixels.
  DrawCouplingBracket(pDC, s, SpectrumPointToPixel(s, a), std::max(s.PointToY(a), 40), SpectrumPointToPixel(s, b),
                      std::max(s.PointToY(b), 40),
                      std::fabs(s.ConvertUnits(b, AXIS_UNITS_HZ) - s.ConvertUnits(a, AXIS_UNITS_HZ)));
}

void DrawCouplings(CDC* pDC, const CSpectrum& s) {
  for (int m = 0; m < s.m_arrCouplings.GetSize(); m++) {
    const CMeasureJ& measure = *static_cast<const CMeasureJ*>(s.m_arrCouplings.GetAt(m));
    for (int k = 0; k < measure.m_arrPartners.GetSize() && k < measure.m_arrShown.GetSize(); k++) {
      if (measure.m_arrShown[k])
        DrawCouplingPair(pDC, s, m, k);
    }
  }
}
