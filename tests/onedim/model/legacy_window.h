// The window functions as they computed before their weights came from
// block factors: every weight by its own long double exp, sin or cos. Kept
// as the reference that the weighted floats must match; the same
// expressions, so the same roundings.
#pragma once

#include <cfloat>
#include <cmath>
#include <vector>

#include "numerics/Constants.h"

namespace legacy_window {

struct Parameters {
  int type = 0;
  float lb = 2.0f, gb = 1.0f, gaussShift = 0.0f, sineShift = 0.0f;
};

// The weight of float index i; a positive LB of the Lorentz-Gauss window
// becomes -1 in p, as the window object does.
inline long double Weight(Parameters& p, int i, int td, double swIn) {
  const long double kGaussPi = 3.14159L;
  const long double sw = swIn;
  if (td <= 0 || !(sw > 0.0L))
    return 1.0L;
  const long double t = i / (2.0L * sw);
  const long double aq = td / (2.0L * sw);
  switch (p.type) {
    case 1: {
      const long double x = kGaussPi * p.lb * t - p.gaussShift * aq;
      return std::exp(-(x * x) / (4.0L * std::log(2.0L)));
    }
    case 2: {
      if (p.lb > 0.0f)
        p.lb = -1.0f;
      const long double lb = p.lb;
      return std::exp(-lb * kPiL * t + lb * kPiL * t * t / (2.0L * p.gb * aq));
    }
    case 3: {
      const long double ei = std::exp(-p.lb * kPiL * i / (2.0L * sw));
      const long double er = std::exp(-p.lb * kPiL * (td - i) / (2.0L * sw));
      return ei / (er * er + ei * ei);
    }
    case 4:
    case 5: {
      const long double phi = p.sineShift * static_cast<long double>(kDegToRad);
      const long double w = std::sin(phi + (kPiL - phi) * i / td);
      return p.type == 4 ? w : w * w;
    }
    case 6:
      return 0.54L + 0.46L * std::cos(kPiL * i / td);
    case 7:
      return 0.5L * (1.0L + std::cos(kPiL * i / td));
    default:
      return std::exp(-p.lb * kPiL * t);
  }
}

// Fills weights and target from source; false (nothing written) where a
// weighted value would leave the float range.
inline bool Apply(Parameters& p, const float* source, int td, double sw, std::vector<double>& weights,
                  std::vector<float>& target) {
  weights.assign(td, 0.0);
  for (int i = 0; i < td; ++i) {
    const long double w = Weight(p, i, td, sw);
    const long double v = source[i] * w;
    if (!std::isfinite(w) || !std::isfinite(v) || std::fabs(v) > FLT_MAX)
      return false;
    weights[i] = static_cast<double>(w);
  }
  target.assign(td, 0.0f);
  for (int i = 0; i < td; ++i)
    target[i] = static_cast<float>(source[i] * static_cast<long double>(weights[i]));
  return true;
}

}  // namespace legacy_window
