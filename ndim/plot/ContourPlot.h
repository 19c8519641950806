// Contour lines of the visible window of a 2D matrix, by marching squares,
// as pixel segments ready for the pen of each level.
#pragma once

#include "framework/base/WinTypes.h"
#include "ndim/plot/NdPlotGeometry.h"

// Takes the segments of one level: nPoints points, each pair one segment.
// Segments of a level come in batches, so that a plot of any size needs
// bounded memory; the last batches come in level order.
class CContourSink {
 public:
  virtual ~CContourSink() = default;
  virtual void Segments(int level, const POINT* points, int nPoints) = 0;
};

// More levels than this are never drawn (the levels dialog stops at 20).
const int kMaxContourLevels = 64;

// The contours at |firstLevel| x ratio^k, k = 0 .. count - 1. A negative
// first level contours the negated data, that is the levels -L, -L R, ...
// of the data as stored. A corner equal to a level counts as below it.
// Cells with a corner that is not a finite number are left out.
void TraceContours(const NdMatrix& m, const NdWindow& window, const RECT& dest, int count, float firstLevel,
                   float ratio, CContourSink& sink);
