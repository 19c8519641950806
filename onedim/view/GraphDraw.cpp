// Drawing and hit testing of a graph.
#include "framework/win/Dc.h"
#include "onedim/plot/Graph.h"
#include "numerics/Saturate.h"

void CGraph::Draw(CDC* pDC, int left, int top, int right, int bottom) {
  m_rectDrawn = {left, top, right, bottom};
  for (CGraphCurve& curve : m_curves) {
    if (curve.m_points.empty())
      continue;
    pDC->MoveTo(SaturatingInt(curve.m_points[0].x), SaturatingInt(curve.m_points[0].y));
    for (size_t i = 1; i < curve.m_points.size(); i++)
      pDC->LineTo(SaturatingInt(curve.m_points[i].x), SaturatingInt(curve.m_points[i].y));
  }
  if (!m_bShowMarkers)
    return;
  for (CGraphCurve& curve : m_curves) {
    for (const PlotPoint& point : curve.m_points) {
      curve.m_marker.SetPosition(SaturatingInt(point.x), SaturatingInt(point.y));
      curve.m_marker.Draw(pDC);
    }
  }
}

PlotPoint* CGraph::HitTest(POINT pt) {
  // Scanned from the back without stopping, so the hit that stays is the
  // first one in curve and point order.
  PlotPoint* pHit = nullptr;
  for (size_t c = m_curves.size(); c-- > 0;) {
    CGraphCurve& curve = m_curves[c];
    for (size_t i = curve.m_points.size(); i-- > 0;) {
      curve.m_marker.SetPosition(SaturatingInt(curve.m_points[i].x), SaturatingInt(curve.m_points[i].y));
      if (curve.m_marker.HitTest(pt))
        pHit = &curve.m_points[i];
    }
  }
  return pHit;
}
