// The traces in the strips beside the plot (a row or column, a projection
// or a loaded 1D trace): a polyline inside the strip, its base line at the
// strip's middle moved by the offset, scaled by its largest magnitude.
#pragma once

#include <vector>

#include "framework/base/WinTypes.h"

struct StripTraceStyle {
  int nOffset = 0;      // pixels, times the zoom factor
  double dScale = 1.0;  // pixels for the largest magnitude, times the zoom factor
  double dZoom = 1.0;
};

// The largest magnitude among n values taken every stride floats (values
// that are not finite numbers passed over); 1 when all are 0.
double StripTraceMaximum(const float* p, int n, int stride);

// Along the strip's width, point i at the centre of its share of the
// width, values upwards. The points of one pixel column become one
// vertical segment between their least and greatest pixel. Every point
// lies inside the strip.
std::vector<POINT> BuildHorizontalTrace(const float* p, int n, int stride, const RECT& strip,
                                        const StripTraceStyle& style);

// Along the strip's height, the first point at the bottom, values to the
// left; every point lies inside the strip.
std::vector<POINT> BuildVerticalTrace(const float* p, int n, int stride, const RECT& strip,
                                      const StripTraceStyle& style);
