#include "onedim/processing/RelaxationFit.h"

#include <cmath>

RelaxationFitResult FitRelaxation(const std::vector<CRelaxationPoint>& points, CRelaxationFit& fit,
                                  std::vector<CRelaxationPoint>& calculated) {
  const size_t m = points.size();
  if (m < 3)
    return relaxTooFewRows;
  const double dPlateau = points[m - 1].fIntensity;
  double f = 0.0, sx = 0.0, sxx = 0.0, sl = 0.0, slx = 0.0;
  for (size_t k = 0; k + 1 < m; k++) {
    const double t = points[k].fDelay;
    const double dBelow = dPlateau - points[k].fIntensity;
    if (!(dBelow > 0.0) || !std::isfinite(dBelow) || !std::isfinite(t))
      continue;
    const double l = std::log(dBelow);
    f += 1.0;
    sx += t;
    sxx += t * t;
    sl += l;
    slx += l * t;
  }
  if (f < 2.0)
    return relaxTooFewBelow;
  const double d = sxx - sx * sx / f;
  // Delays that differ only by rounding leave no spread to fit a slope to.
  if (!(d > 1e-12 * sxx))
    return relaxEqualDelays;
  CRelaxationFit result;
  result.b = (slx - sl * sx / f) / d;
  result.a = (sxx * sl - slx * sx) / f / d;
  result.dT1 = -1.0 / result.b;
  result.nFitted = (int)f;
  if (!std::isfinite(result.a) || !std::isfinite(result.dT1))
    return relaxNoRecovery;
  std::vector<CRelaxationPoint> values(m);
  for (size_t k = 0; k < m; k++) {
    const float fValue = (float)(dPlateau - std::exp(result.a + result.b * points[k].fDelay));
    if (!std::isfinite(fValue))
      return relaxNoRecovery;
    values[k] = {points[k].fDelay, fValue};
  }
  fit = result;
  calculated.swap(values);
  return relaxFitted;
}
