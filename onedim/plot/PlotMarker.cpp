#include "onedim/plot/PlotMarker.h"

void CPlotMarker::Set(int nSize, COLORREF crColour, int nShape, int nFill) {
  m_nSize = nSize;
  m_crColour = crColour;
  m_nShape = nShape;
  m_nFill = nFill;
  m_x = 0;
  m_y = 0;
}

int CPlotMarker::GetPolygon(POINT* pPoints) const {
  const int x = m_x;
  const int y = m_y;
  const int s = m_nSize;
  if (m_nShape == MARKER_TRIANGLE) {
    pPoints[0] = {x, y - s};
    pPoints[1] = {x - s, y + s};
    pPoints[2] = {x + s, y + s};
    return 3;
  }
  if (m_nShape == MARKER_DIAMOND) {
    pPoints[0] = {x, y - s};
    pPoints[1] = {x + s, y};
    pPoints[2] = {x, y + s};
    pPoints[3] = {x - s, y};
    return 4;
  }
  return 0;
}
