// Drawing and hit testing of a plot marker.
#include "framework/win/Dc.h"
#include "onedim/plot/PlotMarker.h"

void CPlotMarker::Draw(CDC* pDC) const {
  CPen pen(PS_SOLID, 1, m_crColour);
  CBrush brush(m_nFill == MARKER_FILLED ? m_crColour : RGB(255, 255, 255));
  CSelectGuard penGuard(*pDC, &pen);
  CSelectGuard brushGuard(*pDC, &brush);
  const int s = m_nSize;
  POINT corners[4];
  switch (m_nShape) {
    case MARKER_CIRCLE:
      pDC->Ellipse(m_x - s, m_y - s, m_x + s, m_y + s);
      break;
    case MARKER_SQUARE:
      pDC->Rectangle(m_x - s, m_y - s, m_x + s, m_y + s);
      break;
    default: {
      const int n = GetPolygon(corners);
      if (n > 0)
        pDC->Polygon(corners, n);
      break;
    }
  }
}

BOOL CPlotMarker::HitTest(POINT pt) const {
  const long long dx = (long long)pt.x - m_x;
  const long long dy = (long long)pt.y - m_y;
  const long long s = m_nSize;
  CRgn region;
  POINT corners[4];
  switch (m_nShape) {
    case MARKER_CIRCLE:
      return s * s >= dx * dx + dy * dy;
    case MARKER_SQUARE:
      region.CreateRectRgn(m_x - m_nSize, m_y - m_nSize, m_x + m_nSize, m_y + m_nSize);
      break;
    default: {
      const int n = GetPolygon(corners);
      if (n == 0)
        return FALSE;
      region.CreatePolygonRgn(corners, n, ALTERNATE);
      break;
    }
  }
  return region.m_hObject != nullptr && region.PtInRegion(pt);
}
