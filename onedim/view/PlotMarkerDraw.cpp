#include "onedim/view/PlotMarkerDraw.h"

#include "framework/win/Dc.h"
#include "onedim/plot/PlotMarker.h"

void DrawPlotMarker(const CPlotMarker& marker, CDC* pDC) {
  CPen pen(PS_SOLID, 1, marker.m_crColour);
  CBrush brush(marker.m_nFill == MARKER_FILLED ? marker.m_crColour : RGB(255, 255, 255));
  CSelectGuard penGuard(*pDC, &pen);
  CSelectGuard brushGuard(*pDC, &brush);
  const int x = marker.m_x;
  const int y = marker.m_y;
  const int s = marker.m_nSize;
  POINT corners[4];
  switch (marker.m_nShape) {
    case MARKER_CIRCLE:
      pDC->Ellipse(x - s, y - s, x + s, y + s);
      break;
    case MARKER_SQUARE:
      pDC->Rectangle(x - s, y - s, x + s, y + s);
      break;
    default: {
      const int n = marker.GetPolygon(corners);
      if (n > 0)
        pDC->Polygon(corners, n);
      break;
    }
  }
}

BOOL HitTestPlotMarker(const CPlotMarker& marker, POINT pt) {
  const long long dx = (long long)pt.x - marker.m_x;
  const long long dy = (long long)pt.y - marker.m_y;
  const long long s = marker.m_nSize;
  CRgn region;
  POINT corners[4];
  switch (marker.m_nShape) {
    case MARKER_CIRCLE:
      return s * s >= dx * dx + dy * dy;
    case MARKER_SQUARE:
      region.CreateRectRgn(marker.m_x - marker.m_nSize, marker.m_y - marker.m_nSize, marker.m_x + marker.m_nSize,
                           marker.m_y + marker.m_nSize);
      break;
    default: {
      const int n = marker.GetPolygon(corners);
      if (n == 0)
        return FALSE;
      region.CreatePolygonRgn(corners, n, ALTERNATE);
      break;
    }
  }
  return region.m_hObject != nullptr && region.PtInRegion(pt);
}
