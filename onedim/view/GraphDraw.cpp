#include "onedim/view/GraphDraw.h"

#include "framework/win/Dc.h"
#include "numerics/Saturate.h"
#include "onedim/plot/Graph.h"
#include "onedim/view/PlotMarkerDraw.h"

void DrawGraph(CGraph& graph, CDC* pDC, int left, int top, int right, int bottom) {
  graph.m_rectDrawn = {left, top, right, bottom};
  for (CGraphCurve& curve : graph.m_curves) {
    if (curve.m_points.empty())
      continue;
    pDC->MoveTo(SaturatingInt(curve.m_points[0].x), SaturatingInt(curve.m_points[0].y));
    for (size_t i = 1; i < curve.m_points.size(); i++)
      pDC->LineTo(SaturatingInt(curve.m_points[i].x), SaturatingInt(curve.m_points[i].y));
  }
  if (!graph.m_bShowMarkers)
    return;
  for (CGraphCurve& curve : graph.m_curves) {
    for (const PlotPoint& point : curve.m_points) {
      curve.m_marker.SetPosition(SaturatingInt(point.x), SaturatingInt(point.y));
      DrawPlotMarker(curve.m_marker, pDC);
    }
  }
}

PlotPoint* HitTestGraph(CGraph& graph, POINT pt) {
  // Scanned from the back without stopping, so the hit that stays is the
  // first one in curve and point order.
  PlotPoint* pHit = nullptr;
  for (size_t c = graph.m_curves.size(); c-- > 0;) {
    CGraphCurve& curve = graph.m_curves[c];
    for (size_t i = curve.m_points.size(); i-- > 0;) {
      curve.m_marker.SetPosition(SaturatingInt(curve.m_points[i].x), SaturatingInt(curve.m_points[i].y));
      if (HitTestPlotMarker(curve.m_marker, pt))
        pHit = &curve.m_points[i];
    }
  }
  return pHit;
}
