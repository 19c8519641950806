// A point symbol of the small plots: a circle, square, triangle or diamond
// round a centre, filled with its colour or hollow (white inside). The
// record is here; drawing and hit testing are window code
// (onedim/view/PlotMarkerDraw.h).
#pragma once

#include "framework/base/WinTypes.h"

enum {
  MARKER_CIRCLE = 0,
  MARKER_SQUARE = 1,
  MARKER_TRIANGLE = 2,
  MARKER_DIAMOND = 3,
};

enum {
  MARKER_FILLED = 0,
  MARKER_HOLLOW = 1,
};

// A point of the small plots, in float pixels (graphs) or data units (XY plot).
struct PlotPoint {
  float x;
  float y;
};

class CPlotMarker {
 public:
  CPlotMarker() = default;  // all zero

  // Size is half the symbol's extent. The marker moves to (0, 0).
  void Set(int nSize, COLORREF crColour, int nShape, int nFill);
  void SetPosition(int x, int y) {
    m_x = x;
    m_y = y;
  }
  // The corners of a triangle (3) or diamond (4); 0 for other shapes.
  int GetPolygon(POINT* pPoints) const;

  int m_x = 0;  // centre
  int m_y = 0;
  int m_nSize = 0;
  COLORREF m_crColour = 0;
  int m_nShape = MARKER_CIRCLE;
  int m_nFill = MARKER_FILLED;
};
