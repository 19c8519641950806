#include "ndim/processing/NdWindows.h"

#include <cmath>

#include "numerics/Constants.h"

namespace {

const double kLog2E = 1.4426950408889634;

bool Usable(const float* w, int n) {
  return w && n >= 1;
}

}  // namespace

double NdPow2(double e) {
  if (!(e > -1100.0))
    return 0.0;  // also NaN
  if (e > 1000.0)
    e = 1000.0;
  const double i = std::floor(e);
  return std::ldexp(std::exp2(e - i), static_cast<int>(i));
}

bool NdWindowExponential(float* w, int n, int k0, double sw, double lb) {
  if (!Usable(w, n) || !(sw > 0) || !std::isfinite(sw) || !std::isfinite(lb))
    return false;
  const double a = -kPi * lb / sw * kLog2E;
  for (int k = 0; k < n; ++k)
    w[k] = static_cast<float>(w[k] * NdPow2(a * (k - static_cast<double>(k0))));
  return true;
}

bool NdWindowGaussian(float* w, int n, int k0, double sw, double gb) {
  if (!Usable(w, n) || !(sw > 0) || !std::isfinite(sw) || !std::isfinite(gb))
    return false;
  const double r = kPi * gb / (2.0 * sw);
  double c = r * r * 1.4426950420544162;
  if (gb > 0)
    c = -c;
  for (int k = 0; k < n; ++k) {
    const double t = k - static_cast<double>(k0);
    w[k] = static_cast<float>(w[k] * NdPow2(c * t * t * kLog2E));
  }
  return true;
}

bool NdWindowSineBell(float* w, int n, int k0, double shiftDegrees, bool squared) {
  if (!Usable(w, n) || !std::isfinite(shiftDegrees) || n == k0)
    return false;
  const double a0 = shiftDegrees * kPi / 180.0;
  const double step = (kPi - a0) / (static_cast<double>(n) - k0);
  for (int k = 0; k < n; ++k) {
    double f = std::sin(a0 + (k - static_cast<double>(k0)) * step);
    if (squared)
      f *= f;
    w[k] = static_cast<float>(w[k] * f);
  }
  return true;
}

bool NdWindowFirstPoint(float* w, int n, double factor) {
  if (!Usable(w, n) || !std::isfinite(factor))
    return false;
  w[0] = static_cast<float>(w[0] * factor);
  return true;
}
