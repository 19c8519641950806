#include "ndim/plot/NdAxisTicks.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "ndim/data/DimensionBlock.h"
#include "numerics/Saturate.h"

namespace {

const int kMaxTicks = 100000;

// Printing and reading back sheds the noise that adding the step collects.
double RoundTrip(const char* format, double v) {
  char text[512];
  std::snprintf(text, sizeof text, format, v);
  return std::strtod(text, nullptr);
}

}  // namespace

const char* NdUnitText(int units) {
  switch (units) {
    case ND_UNITS_SECONDS:
      return "Sec";
    case ND_UNITS_HZ:
      return "Hz";
    case ND_UNITS_PPM:
      return "ppm";
    default:
      return "Pts";
  }
}

double NdAxisValue(const DimensionBlock& dim, double index, int units) {
  const double n = dim.m_nPoints;
  const double ppm = ((n - 1 - index) / n * dim.m_fSpectralWidth + dim.m_fLastFrequency) / dim.m_fSpectrometerFreq;
  switch (units) {
    case ND_UNITS_SECONDS:
      return index / dim.m_fSpectralWidth;
    case ND_UNITS_HZ:
      return ppm * dim.m_fSpectrometerFreq;
    case ND_UNITS_PPM:
      return ppm;
    default:
      return index;
  }
}

std::vector<NdAxisTick> ComputeNdAxisTicks(const NdAxisInput& in, AxisTickStep* pStep) {
  std::vector<NdAxisTick> ticks;
  const bool reversed = in.dStart >= in.dEnd;
  const double a = reversed ? in.dEnd : in.dStart;
  const double b = reversed ? in.dStart : in.dEnd;
  const double range = std::fabs(b - a);
  // The range goes through a float, as the step has always been chosen.
  const AxisTickStep step = ChooseAxisTickStep(static_cast<float>(range));
  if (pStep)
    *pStep = step;
  const long long extent = static_cast<long long>(in.nEndPixel) - in.nStartPixel;
  // A window without width draws the line alone.
  if (!std::isfinite(a) || !std::isfinite(b) || !(range > 0) || !std::isfinite(range) || extent <= 0 ||
      !(in.dFactor > 0))
    return ticks;

  const double first = step.dStep * (std::trunc(a / step.dStep) + 1);
  const double u = std::trunc(b / step.dStep);
  const double last = RoundTrip("%.5lf", b) != u ? step.dStep * u : b - step.dStep;
  double perPixel = range / (extent * in.dFactor);
  if (!(perPixel >= 1e-9))
    perPixel = 1e-9;
  double count = std::trunc(std::fabs(last - first) / step.dStep) + 1;
  if (!(count <= kMaxTicks))
    count = kMaxTicks;

  const double start = in.nStartPixel * in.dFactor;
  const double end = in.nEndPixel * in.dFactor;
  double v = first;
  for (int k = 0; k < static_cast<int>(count); ++k, v += step.dStep) {
    const double value = v > -0.0005 && v < 0.0005 ? 0.0 : v;
    const double w = RoundTrip("%.8lf", value);
    const double sign = w >= 0 ? 1 : -1;
    double p = (value - a) / perPixel + start;
    if (reversed)
      p = end + start - p;
    if (!(p >= start && p <= end))
      continue;
    const double t = w * step.dLabelFactor;
    const double n = std::trunc(t + sign * 0.0005);
    ticks.push_back({value, SaturatingInt(p), t - 0.0005 < n && n < t + 0.0005});
  }
  return ticks;
}
