#include "ndim/plot/StripTrace.h"

#include <cmath>
#include <cstddef>

namespace {

int Clamp(long double v, LONG lo, LONG hi) {
  if (v != v)
    return lo;
  if (hi < lo)
    hi = lo;
  return v < lo ? lo : (v > hi ? hi : static_cast<int>(v));
}

// Pixel of the value: the base line minus the value's share of the scale.
long double Offset(float v, double maximum, const StripTraceStyle& style) {
  return std::isfinite(v) ? static_cast<long double>(v) * style.dScale * style.dZoom / maximum : 0.0L;
}

}  // namespace

double StripTraceMaximum(const float* p, int n, int stride) {
  double largest = 0;
  for (int i = 0; i < n; ++i) {
    const float v = p[static_cast<std::size_t>(i) * stride];
    if (std::isfinite(v))
      largest = std::fmax(largest, std::fabs(v));
  }
  return largest > 0 ? largest : 1.0;
}

std::vector<POINT> BuildHorizontalTrace(const float* p, int n, int stride, const RECT& strip,
                                        const StripTraceStyle& style) {
  std::vector<POINT> out;
  if (!p || n < 1)
    return out;
  const double maximum = StripTraceMaximum(p, n, stride);
  const long double base = (static_cast<long double>(strip.top) + strip.bottom) / 2 + style.nOffset * style.dZoom;
  const long double width = static_cast<long double>(strip.right) - strip.left;
  const LONG last = strip.right - 1;
  const LONG bottom = strip.bottom - 1;
  int column = 0, lo = 0, hi = 0;
  for (int i = 0; i < n; ++i) {
    const int x = Clamp(strip.left + (i + 0.5L) * width / n, strip.left, last);
    const int y = Clamp(base - Offset(p[static_cast<std::size_t>(i) * stride], maximum, style), strip.top, bottom);
    if (i > 0 && x == column) {
      lo = y < lo ? y : lo;
      hi = y > hi ? y : hi;
      continue;
    }
    if (i > 0) {
      out.push_back({column, lo});
      if (hi != lo)
        out.push_back({column, hi});
    }
    column = x;
    lo = hi = y;
  }
  out.push_back({column, lo});
  if (hi != lo)
    out.push_back({column, hi});
  return out;
}

std::vector<POINT> BuildVerticalTrace(const float* p, int n, int stride, const RECT& strip,
                                      const StripTraceStyle& style) {
  std::vector<POINT> out;
  if (!p || n < 1)
    return out;
  const double maximum = StripTraceMaximum(p, n, stride);
  const long double base = (static_cast<long double>(strip.left) + strip.right) / 2 + style.nOffset * style.dZoom;
  const long double height = static_cast<long double>(strip.bottom) - strip.top;
  out.reserve(n);
  for (int i = 0; i < n; ++i) {
    const int y = Clamp(strip.bottom - (i + 0.5L) * height / n, strip.top, strip.bottom - 1);
    const int x =
        Clamp(base - Offset(p[static_cast<std::size_t>(i) * stride], maximum, style), strip.left, strip.right - 1);
    out.push_back({x, y});
  }
  return out;
}
