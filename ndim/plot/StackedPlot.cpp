#include "ndim/plot/StackedPlot.h"

#include <cmath>
#include <cstddef>
#include <vector>

#include "ndim/plot/TraceMaxCache.h"
#include "numerics/Saturate.h"

namespace {

// GDI keeps coordinates within 27 bits; a tall peak is cut there.
const int kCoordinateLimit = 1 << 26;

int ClampCoordinate(long double v) {
  const int y = SaturatingInt(v);
  return y > kCoordinateLimit ? kCoordinateLimit : (y < -kCoordinateLimit ? -kCoordinateLimit : y);
}

}  // namespace

void TraceStackedRows(const NdMatrix& m, const NdWindow& window, const RECT& dest, float verticalScale,
                      double heightFactor, CStackedSink& sink) {
  if (m.IsEmpty() || window.IsEmpty())
    return;
  const int n = window.Columns();
  const bool complex = m.nShift != 0;
  const std::size_t rowFloats = static_cast<std::size_t>(m.nColumns) << m.nShift;
  const float* first = m.pData + (static_cast<std::size_t>(window.firstColumn) << m.nShift);

  CTraceMaxCache cache;
  double largest = 0;
  for (int r = window.firstRow; r < window.lastRow; ++r)
    largest = std::fmax(largest, std::fabs(cache.Scan(first + r * rowFloats, n, complex)));
  if (!(largest > 0))
    largest = 1;
  const double gain = verticalScale * heightFactor / largest;

  // Point j of the row: the step counts floats, so complex rows end a
  // little short of the right edge, as they always have.
  const long long step = complex ? 2 : 1;
  const long long span = window.lastColumn * step - 1 - window.firstColumn * step;
  const long long width = static_cast<long long>(dest.right) - dest.left;
  std::vector<POINT> points(n);
  for (int j = 0; j < n; ++j)
    points[j].x = ClampCoordinate(static_cast<long double>(dest.left) + MulDivRound(width, j * step, span));

  const double spacing = (static_cast<double>(dest.bottom) - dest.top) / window.Rows();
  double base = dest.top;
  for (int r = window.lastRow - 1; r >= window.firstRow; --r, base += spacing) {
    const float* row = first + r * rowFloats;
    for (int j = 0; j < n; ++j) {
      const float v = row[static_cast<std::size_t>(j) << m.nShift];
      points[j].y = ClampCoordinate(std::isfinite(v) ? base - v * gain : base);
    }
    sink.Row(points.data(), n);
  }
}
