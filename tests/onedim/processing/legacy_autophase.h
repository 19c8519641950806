// The automatic phase search as it stood before the points were grouped by
// modulus: every simplex evaluation scans all points and takes one cos a
// point turned past 1.58 radians. Kept as the former implementation that the
// benchmark times and the identity tests compare against; the same
// expressions, so the same roundings.
#pragma once

#include <cmath>

#include "onedim/processing/PolarConversion.h"

namespace legacy_autophase {

struct State {
  float vertex[3][2];
  double value[3];
  float sum[2];
  const float* first;
  const float* end;
  int worst;
};

inline double Cost(const State& s, const float* vertex) {
  double cost = 0.0;
  int k = 0;
  for (const float* p = s.first; p < s.end; p += 2, k++) {
    const double angle = std::fabs(p[1] + vertex[0] + k * (double)vertex[1]);
    if (angle > 1.58)
      cost = std::fmin(cost, p[0] * std::cos(angle));
  }
  return cost;
}

inline void ComputeSums(State& s) {
  for (int j = 0; j < 2; j++)
    s.sum[j] = s.vertex[0][j] + s.vertex[1][j] + s.vertex[2][j];
}

inline double Try(State& s, double factor) {
  const double f1 = (1.0 - factor) / 2.0;
  const double f2 = f1 - factor;
  float* worst = s.vertex[s.worst];
  float trial[2];
  for (int j = 0; j < 2; j++)
    trial[j] = (float)(s.sum[j] * f1 - worst[j] * f2);
  const double value = Cost(s, trial);
  if (value > s.value[s.worst]) {
    for (int j = 0; j < 2; j++) {
      s.sum[j] += trial[j] - worst[j];
      worst[j] = trial[j];
    }
    s.value[s.worst] = value;
  }
  return value;
}

// The phases (zero order, first order over the whole spectrum) of n points,
// which are left in polar form.
inline void Autophase(int n, float* points, float phases[2]) {
  State s;
  phases[0] = phases[1] = 0.0f;
  if (n < 1 || points == nullptr)
    return;
  const float start[3][2] = {{0.0f, 0.0f}, {(float)(-3.14159 * 0.5), 0.0f}, {0.0f, (float)(-1.0 / n)}};
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 2; j++)
      s.vertex[i][j] = start[i][j];
  ComputeSums(s);
  s.first = points;
  s.end = points + 2 * (long)n;
  double smallestReal = 3.4028234663852886e38, smallestImaginary = 3.4028234663852886e38;
  for (int k = 0; k < n; k++) {
    smallestReal = std::fmin(smallestReal, points[2 * k]);
    smallestImaginary = std::fmin(smallestImaginary, points[2 * k + 1]);
  }
  s.value[0] = smallestReal;
  s.value[1] = smallestImaginary;
  ToMagnitude(points, n);
  s.value[2] = Cost(s, s.vertex[2]);
  for (int iteration = 0; iteration < 100; iteration++) {
    int best = 0;
    s.worst = 0;
    for (int i = 1; i < 3; i++) {
      if (s.value[i] > s.value[best])
        best = i;
      if (s.value[i] < s.value[s.worst])
        s.worst = i;
    }
    const double bestValue = s.value[best];
    if (bestValue >= 0.0 || (s.value[s.worst] - bestValue) / bestValue < 0.05)
      break;
    const double reflected = Try(s, -1.0);
    if (reflected > bestValue) {
      Try(s, 2.0);
      continue;
    }
    int middle = 0;
    while (middle == best || middle == s.worst)
      middle++;
    if (reflected >= s.value[middle])
      continue;
    const double worstValue = s.value[s.worst];
    if (Try(s, 0.5) < worstValue) {
      for (int i = 0; i < 3; i++) {
        if (i == best)
          continue;
        for (int j = 0; j < 2; j++)
          s.vertex[i][j] = (s.vertex[i][j] + s.vertex[best][j]) / 2.0f;
        s.value[i] = Cost(s, s.vertex[i]);
      }
      ComputeSums(s);
    }
  }
  int best = 0;
  for (int i = 1; i < 3; i++)
    if (s.value[i] > s.value[best])
      best = i;
  phases[0] = s.vertex[best][0];
  phases[1] = s.vertex[best][1] * (float)n;
}

}  // namespace legacy_autophase
