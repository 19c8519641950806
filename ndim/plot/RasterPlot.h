// The raster ("fast") plot: one colour per data point from the palette
// ramp, written into the rows of a 24-bit bottom-up bitmap.
#pragma once

#include "framework/base/WinTypes.h"
#include "ndim/plot/NdPlotGeometry.h"

// The colour index of a value: 0 for white (below the threshold, or not a
// number), 1 .. 127 for positive values, 128 .. 254 for negative ones, the
// most intense negative colour being 128.
class CRasterScale {
 public:
  CRasterScale(float threshold, float ratio);
  int Index(float v) const;

 private:
  double m_threshold;
  double m_step;  // threshold x ratio x 0.1
  double m_base;  // threshold - step
  double m_top;   // base + 127 steps
};

struct RasterPalette {
  const BYTE* red;
  const BYTE* green;
  const BYTE* blue;
};

// Pixels of the bitmap for a window: one per data point, but never more
// than the destination has, so that a large set draws in the memory of its
// picture. Each side at least 1.
SIZE RasterBitmapSize(const NdWindow& window, int destWidth, int destHeight);

// Bytes of one bitmap row of that width: 3 a pixel, padded to 4.
int RasterRowBytes(int width);

// Fills a bitmap of width x height pixels (RasterRowBytes(width) a row).
// The first row in memory shows the window's last row, so that the bitmap
// drawn upside down puts the first row at the bottom. When the bitmap is
// smaller than the window each pixel takes the point at its centre.
void FillRaster(const NdMatrix& m, const NdWindow& window, const CRasterScale& scale, const RasterPalette& palette,
                BYTE* bits, int width, int height);
