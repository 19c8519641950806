// The stacked plot: each row of the window a trace on its own base line,
// the window's last row at the top. The whitewash plot draws the same
// rows, each filled white under its trace so that it hides the rows drawn
// before it.
#pragma once

#include "framework/base/WinTypes.h"
#include "ndim/plot/NdPlotGeometry.h"

// Takes the rows top to bottom, in drawing order.
class CStackedSink {
 public:
  virtual ~CStackedSink() = default;
  virtual void Row(const POINT* points, int nPoints) = 0;
};

// The rows in pixels: a value v of a row with base line y0 sits at
// y0 - v / M x verticalScale x heightFactor, M being the largest magnitude
// in the window (1 when the window holds only zeros). Values that are not
// finite numbers sit on the base line.
void TraceStackedRows(const NdMatrix& m, const NdWindow& window, const RECT& dest, float verticalScale,
                      double heightFactor, CStackedSink& sink);
