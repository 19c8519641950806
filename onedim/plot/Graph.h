// A set of poly-lines of float pixel points with a marker at each point:
// the document's baseline points and computed baseline. The points are
// portable; drawing and hit testing (GraphDraw.cpp) are window code. It
// draws with whatever pen the caller selected.
#pragma once

#include <vector>

#include "framework/base/Object.h"
#include "framework/base/WinTypes.h"
#include "onedim/plot/PlotMarker.h"

#ifdef _WIN32
class CDC;
#endif

struct CGraphCurve {
  std::vector<PlotPoint> m_points;
  CPlotMarker m_marker;
};

class CGraph : public CObject {
  DECLARE_DYNAMIC(CGraph)

 public:
  CGraph();  // as Init leaves it
  ~CGraph() override;

  // One curve of two points at (0, 0), markers shown, the first curve's
  // marker a hollow diamond of size 4 in RGB(220,50,0).
  void Init();

#ifdef _WIN32
  void Draw(CDC* pDC, int left, int top, int right, int bottom);
  // The point whose marker holds pt: the first in curve and point order,
  // or null.
  PlotPoint* HitTest(POINT pt);
#endif

  std::vector<CGraphCurve> m_curves;
  RECT m_rectDrawn;  // the rectangle last given to Draw
  BOOL m_bShowMarkers;
};
