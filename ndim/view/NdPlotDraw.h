// The 2D plots drawn onto a DC: contours with one pen per level, the
// raster through a 24-bit DIB section, the stacked and whitewash rows. The
// geometry is ndim/plot's; this is its GDI side.
#pragma once

#include "framework/win/GdiObject.h"
#include "ndim/plot/NdPlotGeometry.h"
#include "ndim/plot/RasterPlot.h"

class CDC;

// The solid one-pixel pens of a set of contour colours.
class CContourPens {
 public:
  enum { Count = 12 };
  explicit CContourPens(const COLORREF* colours);
  // Pen of level k; levels beyond the twelfth start the set again.
  CPen* ForLevel(int level) { return &m_pens[level % Count]; }

 private:
  CPen m_pens[Count];
};

// Contours of count levels from firstLevel (negative: of the negated data).
void DrawContour(CDC* pDC, const NdMatrix& m, const NdWindow& window, const RECT& dest, int count, float firstLevel,
                 float ratio, CContourPens& pens);

// The raster stretched onto dest, the window's first row at the bottom.
// FALSE when the bitmap could not be made.
BOOL DrawRaster(CDC* pDC, const RECT& dest, const NdMatrix& m, const NdWindow& window, float threshold, float ratio,
                const RasterPalette& palette);

// Stacked rows in a blue pen; whitewash fills each row white first so
// that it hides the rows above it. FALSE when the pen could not be made.
BOOL DrawStacked(CDC* pDC, const NdMatrix& m, const RECT& dest, const NdWindow& window, float verticalScale);
BOOL DrawWhitewash(CDC* pDC, const NdMatrix& m, const RECT& dest, const NdWindow& window, float verticalScale,
                   double heightFactor);
