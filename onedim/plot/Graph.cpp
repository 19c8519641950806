#include "onedim/plot/Graph.h"

IMPLEMENT_DYNAMIC(CGraph, CObject)

CGraph::CGraph() {
  Init();
}

CGraph::~CGraph() = default;

void CGraph::Init() {
  m_curves.assign(1, CGraphCurve());
  m_curves[0].m_points.assign(2, PlotPoint{0.0f, 0.0f});
  m_curves[0].m_marker.Set(4, RGB(220, 50, 0), MARKER_DIAMOND, MARKER_HOLLOW);
  m_rectDrawn = RECT();
  m_bShowMarkers = TRUE;
}
