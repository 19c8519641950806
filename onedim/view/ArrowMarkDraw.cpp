#include "onedim/view/ArrowMarkDraw.h"

#include <cstdio>
#include <cstring>

#include "framework/win/Dc.h"
#include "framework/win/GdiObject.h"
#include "onedim/model/Spectrum.h"
#include "onedim/plot/PrintSettings.h"

void DrawArrowMark(CDC* pDC, const CSpectrum& s, int x, int y, double dValue, BOOL bLabel, BOOL bCoupling) {
  const bool bPaper = pDC->IsPrinting() || GetPrintSettings().bRenderingMetafile;
  const double fx = bPaper ? s.m_dPrintScaleX : 1.0;
  const double fy = bPaper ? s.m_dPrintScaleY : 1.0;
  auto X = [fx](int v) {
    return (int)(v * fx);
  };
  auto Y = [fy](int v) {
    return (int)(v * fy);
  };

  CPen pen(PS_SOLID, 1, RGB(255, 0, 0));
  CBrush white(RGB(255, 255, 255));
  CSelectGuard penGuard(*pDC, &pen);
  CSelectGuard brushGuard(*pDC, &white);
  const POINT head[7] = {{X(x), Y(y)},          {X(x - 6), Y(y - 6)}, {X(x - 3), Y(y - 6)}, {X(x - 3), Y(y - 12)},
                         {X(x + 3), Y(y - 12)}, {X(x + 3), Y(y - 6)}, {X(x + 6), Y(y - 6)}};
  pDC->Polygon(head, 7);
  const int top = s.m_rectPlot.top;
  pDC->MoveTo(X(x), Y(y));
  pDC->LineTo(X(x), Y(top));
  pDC->MoveTo(X(x - 3), Y(top));
  pDC->LineTo(X(x + 3), Y(top));
  if (!bLabel)
    return;

  char text[64];
  std::snprintf(text, sizeof text, bCoupling ? "J=%.3lf" : " %.3lf ", dValue);
  CFont font;
  font.CreateFont(Y(16), 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                  DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
  CSelectGuard fontGuard(pDC->m_hDC, font.m_hObject != nullptr ? font.m_hObject : ::GetStockObject(SYSTEM_FONT));
  CRect box(X(x - 20), Y(y - 32), X(x + 20), Y(y - 18));
  CRect measured = box;
  pDC->DrawText(text, &measured, DT_CALCRECT | DT_SINGLELINE);
  const int width = measured.Width();
  box.left = X(x) - width / 2;
  box.right = box.left + width;
  box.InflateRect(X(6), Y(1));
  DrawMarkLabel(pDC, text, box);
}

void DrawMarkLabel(CDC* pDC, LPCSTR pszText, const RECT& box) {
  pDC->Rectangle(&box);
  const int nOldMode = pDC->SetBkMode(TRANSPARENT);
  const COLORREF crOld = pDC->SetTextColor(RGB(255, 0, 0));
  RECT rc = box;
  pDC->DrawText(pszText, (int)std::strlen(pszText), &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  pDC->SetTextColor(crOld);
  pDC->SetBkMode(nOldMode);
}
