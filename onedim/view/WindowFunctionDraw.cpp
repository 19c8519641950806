#include "onedim/view/WindowFunctionDraw.h"

#include <vector>

#include "framework/win/Dc.h"
#include "framework/win/GdiObject.h"
#include "onedim/model/WindowFunction.h"

void DrawWindowFunctionCurve(const CWindowFunction& window, CDC* pDC, int left, int right) {
  if (!pDC)
    return;
  const std::vector<POINT> points = window.CurvePoints(left, right);
  CPen pen(PS_SOLID, window.m_nPenWidth, window.m_Colour);
  CSelectGuard selected(*pDC, &pen);
  pDC->MoveTo(points[0]);
  for (size_t i = 1; i < points.size(); ++i)
    pDC->LineTo(points[i]);
}
