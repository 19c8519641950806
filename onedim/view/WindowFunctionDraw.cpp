// The drawing member of CWindowFunction (Windows build only).
#include <vector>

#include "framework/win/Dc.h"
#include "framework/win/GdiObject.h"
#include "onedim/model/WindowFunction.h"

void CWindowFunction::DrawCurve(CDC* pDC, int left, int right) const {
  if (!pDC)
    return;
  const std::vector<POINT> points = CurvePoints(left, right);
  CPen pen(PS_SOLID, m_nPenWidth, m_Colour);
  CSelectGuard selected(*pDC, &pen);
  pDC->MoveTo(points[0]);
  for (size_t i = 1; i < points.size(); ++i)
    pDC->LineTo(points[i]);
}
