#include "ndim/processing/NdPhase.h"

#include <cmath>
#include <cstddef>

namespace {

// Turns `width` complex pairs by the angle whose cosine and sine are c, s.
void Rotate(float* p, std::size_t width, double c, double s) {
  for (std::size_t i = 0; i < 2 * width; i += 2) {
    const double re = p[i], im = p[i + 1];
    p[i] = static_cast<float>(re * c - im * s);
    p[i + 1] = static_cast<float>(re * s + im * c);
  }
}

// n positions, each `width` pairs, positions `step` pairs apart.
void PhaseRun(float* v, int n, std::size_t width, std::size_t step, double zero, double first) {
  if (std::fabs(first) > 0.0001) {
    const double dc = std::cos(first / n), ds = std::sin(first / n);
    double c = std::cos(zero), s = std::sin(zero);
    for (int k = 0; k < n; ++k) {
      Rotate(v + 2 * step * k, width, c, s);
      const double t = c * dc - s * ds;
      s = s * dc + c * ds;
      c = t;
    }
  } else if (std::fabs(std::sin(zero)) > 0.00001) {
    const double c = std::cos(zero), s = std::sin(zero);
    for (int k = 0; k < n; ++k)
      Rotate(v + 2 * step * k, width, c, s);
  } else if (std::cos(zero) < 0) {
    for (int k = 0; k < n; ++k) {
      float* p = v + 2 * step * k;
      for (std::size_t i = 0; i < 2 * width; ++i)
        p[i] = -p[i];
    }
  }
}

}  // namespace

void NdPhase(float* data, int inner, int n, int outer, double zero, double first) {
  if (!data || inner < 1 || n < 1 || outer < 1)
    return;
  if (!std::isfinite(zero) || !std::isfinite(first))
    return;
  const std::size_t width = static_cast<std::size_t>(outer);
  for (int b = 0; b < inner; ++b)
    PhaseRun(data + 2 * width * n * b, n, width, width, zero, first);
}

void NdPhaseStrided(float* data, int n, int stride, double zero, double first) {
  if (!data || n < 1 || stride < 1)
    return;
  if (!std::isfinite(zero) || !std::isfinite(first))
    return;
  PhaseRun(data, n, 1, static_cast<std::size_t>(stride), zero, first);
}
