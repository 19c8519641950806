// A set of poly-lines of float pixel points with a marker at each point:
// the document's baseline points and computed baseline. The points are
// here; drawing and hit testing are window code (onedim/view/GraphDraw.h).
#pragma once

#include <vector>

#include "framework/base/Object.h"
#include "framework/base/WinTypes.h"
#include "onedim/plot/PlotMarker.h"

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

  std::vector<CGraphCurve> m_curves;
  RECT m_rectDrawn;  // the rectangle it was last drawn in
  BOOL m_bShowMarkers;
};
