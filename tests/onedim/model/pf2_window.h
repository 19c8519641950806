// The window functions as the second speed round left them: the
// exponential, Gaussian and Lorentz-Gauss weights from one long double exp
// per block of 32 floats and block factors, every other weight by its own
// long double sin, cos or exps, and each weighted float as a long double
// product. Kept as the former implementation that the benchmark times and
// the identity tests compare against; the same expressions, so the same
// roundings.
#pragma once

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <vector>

#include "numerics/Constants.h"
#include "tests/onedim/model/legacy_window.h"

namespace pf2_window {

using legacy_window::Parameters;

// Fills weights and target from source; false (target untouched) where a
// weight leaves the double range or a weighted value the float range.
inline bool Apply(Parameters& p, const float* source, int td, double swIn, std::vector<double>& weights,
                  std::vector<float>& target) {
  const int kBlock = 32;
  const long double kGaussPi = 3.14159L;
  weights.assign(td, 0.0);
  if (td <= 0 || !(swIn > 0.0))
    return false;
  legacy_window::Weight(p, 0, td, swIn);  // the Lorentz-Gauss sign change of LB
  auto own = [&](int i) { return legacy_window::Weight(p, i, td, swIn); };
  const long double sw = swIn, h = 1.0L / (2.0L * sw), aq = td / (2.0L * sw);
  // 0 own weights, 1 linear exponent, 2 quadratic exponent
  int rule = 1;
  long double alpha = 0, beta = 0, power[kBlock];
  if (p.type == 1) {
    const long double a = kGaussPi * p.lb * h, b = p.gaussShift * aq, ln4 = 4.0L * std::log(2.0L);
    alpha = 2.0L * a * b / ln4;
    beta = -a * a / ln4;
    rule = 2;
  } else if (p.type == 2) {
    const long double lb = p.lb;
    alpha = -lb * kPiL * h;
    beta = lb * kPiL * h * h / (2.0L * p.gb * aq);
    rule = 2;
  } else if (p.type >= 3 && p.type <= 7) {
    rule = 0;
  }
  if (rule != 0)
    for (int k = 0; k < kBlock; ++k)
      power[k] = rule == 2 ? std::exp(beta * k * k) : own(k);
  for (int i0 = 0; i0 < td; i0 += kBlock) {
    const int count = std::min(kBlock, td - i0);
    const long double first = rule == 0 ? 0.0L : own(i0);
    const long double ratio = rule == 2 ? std::exp(alpha + 2.0L * beta * i0) : 1.0L;
    long double step = 1.0L;
    bool bInRange = true;
    for (int k = 0; k < count; ++k) {
      long double w;
      if (rule == 0)
        w = own(i0 + k);
      else if (rule == 2)
        w = first * step * power[k];
      else
        w = first * power[k];
      if (rule == 2)
        step *= ratio;
      double weight = static_cast<double>(w);
      if (rule != 0 && !(std::fabs(weight) <= DBL_MAX))
        weight = static_cast<double>(own(i0 + k));
      bInRange &= std::fabs(source[i0 + k] * weight) <= FLT_MAX && std::fabs(weight) <= DBL_MAX;
      weights[i0 + k] = weight;
    }
    if (!bInRange)
      return false;
  }
  target.assign(td, 0.0f);
  for (int i = 0; i < td; ++i)
    target[i] = static_cast<float>(source[i] * static_cast<long double>(weights[i]));
  return true;
}

}  // namespace pf2_window
