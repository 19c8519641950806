#include "ndim/plot/RasterPlot.h"

#include <cmath>
#include <cstring>
#include <vector>

CRasterScale::CRasterScale(float threshold, float ratio) {
  m_threshold = threshold;
  m_step = static_cast<double>(threshold) * ratio * 0.1;
  m_base = threshold - m_step;
  m_top = m_base + 127 * m_step;
}

int CRasterScale::Index(float v) const {
  const double a = std::fabs(static_cast<double>(v));
  if (std::isnan(a) || a < m_threshold)
    return 0;
  double g = 127;
  // A zero or negative step (threshold or ratio 0 or below) puts every
  // value that passes the threshold at the end of the ramp.
  if (a <= m_top && m_step > 0)
    g = (a - m_base) / m_step;
  if (!(g >= 1))
    g = 1;
  if (g > 127)
    g = 127;
  return v > 0 ? static_cast<int>(g) : static_cast<int>(255 - g);
}

SIZE RasterBitmapSize(const NdWindow& window, int destWidth, int destHeight) {
  SIZE size;
  size.cx = window.Columns() < destWidth ? window.Columns() : destWidth;
  size.cy = window.Rows() < destHeight ? window.Rows() : destHeight;
  if (size.cx < 1)
    size.cx = 1;
  if (size.cy < 1)
    size.cy = 1;
  return size;
}

int RasterRowBytes(int width) {
  return ((24 * width - 1) / 32 + 1) * 4;
}

namespace {
// The window's index for pixel i of n: the point under the pixel's centre.
int Sample(int i, int n, int points) {
  return static_cast<int>((2LL * i + 1) * points / (2LL * n));
}
}  // namespace

void FillRaster(const NdMatrix& m, const NdWindow& window, const CRasterScale& scale, const RasterPalette& palette,
                BYTE* bits, int width, int height) {
  const int rowBytes = RasterRowBytes(width);
  if (m.IsEmpty() || window.IsEmpty()) {
    std::memset(bits, 255, static_cast<std::size_t>(rowBytes) * height);
    return;
  }
  std::vector<int> columns(width);
  for (int x = 0; x < width; ++x)
    columns[x] = window.firstColumn + Sample(x, width, window.Columns());
  for (int y = 0; y < height; ++y) {
    const int row = window.lastRow - 1 - Sample(y, height, window.Rows());
    BYTE* out = bits + static_cast<std::size_t>(y) * rowBytes;
    for (int x = 0; x < width; ++x, out += 3) {
      const int index = scale.Index(m.At(columns[x], row));
      if (index == 0) {
        out[0] = out[1] = out[2] = 255;
      } else {
        out[0] = palette.blue[index];
        out[1] = palette.green[index];
        out[2] = palette.red[index];
      }
    }
    std::memset(out, 0, rowBytes - 3 * width);
  }
}
