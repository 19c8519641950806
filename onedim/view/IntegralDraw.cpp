#include "onedim/view/IntegralDraw.h"

#include <algorithm>
#include <cstring>

#include "framework/win/Dc.h"
#include "framework/win/GdiObject.h"
#include "framework/win/UiHooks.h"
#include "numerics/Saturate.h"
#include "onedim/model/Integral.h"
#include "onedim/model/Spectrum.h"
#include "onedim/plot/PrintSettings.h"

namespace {

struct PaperGeometry {
  bool bPaper;
  double fx, fy;
  int nOffsetX, nOffsetY;
};

PaperGeometry GeometryOf(const CSpectrum& s, CDC* pDC) {
  const CPrintSettings& settings = GetPrintSettings();
  PaperGeometry g;
  g.bPaper = pDC->IsPrinting() || settings.bRenderingMetafile;
  g.fx = g.bPaper ? s.m_dPrintScaleX : 1.0;
  g.fy = g.bPaper ? s.m_dPrintScaleY : 1.0;
  g.nOffsetX = g.bPaper ? settings.rcMargins.left : 0;
  g.nOffsetY = g.bPaper ? settings.rcMargins.top : 0;
  return g;
}

int Scaled(double f, double v, int nOffset) {
  return SaturatingInt(v * f + nOffset);
}

void DrawValue(CIntegral& in, CDC* pDC, const PaperGeometry& g) {
  CSpectrum& s = *in.m_pSpectrum;
  LOGFONT lf = s.m_IntegralFont.GetLogFont();
  if (pDC->IsPrinting())
    lf.lfHeight = SaturatingInt(lf.lfHeight * 0.9 * g.fy);
  lf.lfEscapement = lf.lfOrientation = s.m_bVerticalIntegralLabels ? 900 : 0;
  // The label font as it stands where it is drawn so; a font of its own
  // only for paper or turned labels.
  const bool bAsStored = !pDC->IsPrinting() && lf.lfEscapement == s.m_IntegralFont.GetEscapement() &&
                         lf.lfOrientation == s.m_IntegralFont.GetOrientation();
  CFont font;
  HGDIOBJ hFont = bAsStored ? s.m_IntegralFont.GetSafeHandle() : nullptr;
  if (hFont == nullptr && font.CreateFontIndirect(&lf))
    hFont = font.m_hObject;
  CSelectGuard fontGuard(pDC->m_hDC, hFont != nullptr ? hFont : ::GetStockObject(SYSTEM_FONT));
  pDC->SetTextColor(in.m_crDrawn);
  pDC->SetBkMode(TRANSPARENT);

  const bool bAbove = s.m_nIntegralsOnTop != 0;
  const int d = bAbove ? 1 : -1;
  const int nZero = (s.m_rectPlot.top + s.m_rectPlot.bottom) / 2;
  const int y0 = std::max<int>(bAbove ? in.m_rectCurve.top - 20 : nZero + s.m_nIntegralDistance, 40);
  const int left = in.m_rectCurve.left, right = in.m_rectCurve.right;
  const POINT bracket[4] = {{left, Scaled(g.fy, y0, g.nOffsetY)},
                            {left, Scaled(g.fy, y0 - 5 * d, g.nOffsetY)},
                            {right, Scaled(g.fy, y0 - 5 * d, g.nOffsetY)},
                            {right, Scaled(g.fy, y0, g.nOffsetY)}};
  pDC->Polyline(bracket, 4);
  const int m = (left + right) / 2;
  pDC->MoveTo(m, Scaled(g.fy, y0 - 5 * d, g.nOffsetY));
  pDC->LineTo(m, Scaled(g.fy, y0 - 10 * d, g.nOffsetY));

  // The first integral drawn without a reference becomes the unit.
  if (s.m_dIntegralNorm > -1e-10 && s.m_dIntegralNorm < 1e-10)
    s.m_dIntegralNorm = in.m_dValue;
  CString text;
  text.Format(" %.1lf ", s.m_dIntegralNorm != 0.0 ? in.m_dValue / s.m_dIntegralNorm : 0.0);
  RECT box = {m, Scaled(g.fy, y0 - 20 * d - 7, g.nOffsetY), m, Scaled(g.fy, y0 - 20 * d + 7, g.nOffsetY)};
  RECT measure = box;
  pDC->DrawText(text, &measure, DT_CALCRECT | DT_CENTER | DT_VCENTER);
  const int w = measure.right - measure.left;
  box.left = m - w / 2 - SaturatingInt(6 * g.fx);
  box.right = m + w / 2 + SaturatingInt(6 * g.fx);
  box.top -= SaturatingInt(g.fy);
  box.bottom += SaturatingInt(g.fy);
  if (s.m_nIntegralRectangle && !s.m_bVerticalIntegralLabels) {
    const POINT outline[5] = {
        {box.left, box.top}, {box.right, box.top}, {box.right, box.bottom}, {box.left, box.bottom}, {box.left, box.top}};
    pDC->Polyline(outline, 5);
  }
  if (s.m_bVerticalIntegralLabels) {
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(pDC->m_hDC, &tm);
    const int y = bAbove ? box.top : box.top + (text.GetLength() - 1) * tm.tmAveCharWidth;
    pDC->TextOut(m - tm.tmHeight / 2, y, text);
  } else {
    pDC->DrawText(text, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  in.m_rectValue = box;
}

}  // namespace

void DrawIntegral(CIntegral* pIntegral, CDC* pDC) {
  if (pIntegral == nullptr || pIntegral->m_pSpectrum == nullptr)
    return;
  CIntegral& in = *pIntegral;
  CSpectrum& s = *in.m_pSpectrum;
  const PaperGeometry g = GeometryOf(s, pDC);
  const bool bBlack = pDC->IsPrinting() && !GetPrintSettings().bPrintInColour;
  const COLORREF cr = bBlack ? RGB(0, 0, 0) : in.m_crColour;
  in.m_crDrawn = bBlack ? RGB(0, 0, 0) : s.m_IntegralFont.GetTextColour();
  CPen pen(PS_SOLID, std::max(s.m_nIntegralLineWidth, 1), cr);
  CSelectGuard penGuard(*pDC, &pen);
  BOOL bAllocated = TRUE;
  in.ComputeCurve(g.fx, g.fy, g.nOffsetX, g.nOffsetY, bAllocated);
  if (!bAllocated) {
    AfxMessageBox("Memory exhausted");
    return;
  }
  if (in.m_n <= 0)
    return;
  if (s.m_nShowIntegralValues)
    DrawValue(in, pDC, g);
  if (s.m_nShowIntegralCurves)
    pDC->Polyline(in.m_pCurve, in.m_n);
  if (s.m_bDrawThreshold && in.m_bThresholding) {
    CPen green(PS_SOLID, std::max(s.m_nIntegralLineWidth, 1), RGB(0, 255, 0));
    CSelectGuard greenGuard(*pDC, &green);
    const int y = Scaled(g.fy, s.ValueToY((float)in.m_dThreshold), g.nOffsetY);
    pDC->MoveTo(in.m_rectCurve.left, y);
    pDC->LineTo(in.m_rectCurve.right, y);
  }
}
