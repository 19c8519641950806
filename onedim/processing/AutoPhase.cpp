#include "onedim/processing/AutoPhase.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "onedim/processing/PolarConversion.h"

namespace {

const int kIterations = 100;
const double kTolerance = 0.05;
const double kTurned = 1.58;  // a little over pi / 2: the point has turned negative

// The program-wide work area of the search.
struct SimplexState {
  float vertex[3][2];
  double value[3];
  float sum[2];  // column sums of the vertices
  const float* first;
  const float* end;
  int worst;
};
SimplexState g_state;

// The points of the running search in bands of falling modulus, one band a
// binary exponent. m cos(angle) is never below -m, so once the cost is at
// or below -m no point of modulus m or less can lower it: an evaluation
// reads the bands from the largest moduli down and stops at the first band
// whose largest modulus is that small. The cost is a minimum, the same in
// any order; points whose modulus is 0 or not a number cannot lower it.
struct PolarPoint {
  float modulus, argument;
  int k;
};
struct Band {
  int begin, end;  // in g_points
  float largest;
};
std::vector<PolarPoint> g_points;
std::vector<Band> g_bands;

void GroupByModulus(const float* points, int n) {
  const int kExponents = 256;
  int count[kExponents] = {};
  auto exponent = [](float m) {
    uint32_t bits;
    std::memcpy(&bits, &m, sizeof bits);
    return (int)(bits >> 23);  // moduli are not negative
  };
  auto grouped = [](float m) { return m > 0.0f; };
  for (int k = 0; k < n; k++)
    if (grouped(points[2 * k]))
      count[exponent(points[2 * k])]++;
  g_bands.clear();
  int start[kExponents], total = 0;
  for (int e = kExponents - 1; e >= 0; e--) {
    start[e] = total;
    if (count[e] > 0)
      g_bands.push_back(Band{total, total + count[e], 0.0f});
    total += count[e];
  }
  g_points.resize(total);
  for (int k = 0; k < n; k++) {
    const float m = points[2 * k];
    if (grouped(m))
      g_points[start[exponent(m)]++] = PolarPoint{m, points[2 * k + 1], k};
  }
  for (Band& band : g_bands)
    for (int i = band.begin; i < band.end; i++)
      band.largest = std::fmax(band.largest, g_points[i].modulus);
}

// autophase_cost over the grouped points.
double GroupedCost(const float* vertex) {
  double cost = 0.0;
  for (const Band& band : g_bands) {
    if (band.largest <= -cost)
      break;
    for (int i = band.begin; i < band.end; i++) {
      const PolarPoint& p = g_points[i];
      if (p.modulus <= -cost)
        continue;
      const double angle = std::fabs(p.argument + vertex[0] + p.k * (double)vertex[1]);
      if (angle > kTurned)
        cost = std::fmin(cost, p.modulus * std::cos(angle));
    }
  }
  return cost;
}

void ComputeSums() {
  for (int j = 0; j < 2; j++)
    g_state.sum[j] = g_state.vertex[0][j] + g_state.vertex[1][j] + g_state.vertex[2][j];
}

// Moves the worst vertex through the others by factor; keeps the trial when
// it beats the worst.
double simplex_try(double factor) {
  const double f1 = (1.0 - factor) / 2.0;
  const double f2 = f1 - factor;
  float* worst = g_state.vertex[g_state.worst];
  float trial[2];
  for (int j = 0; j < 2; j++)
    trial[j] = (float)(g_state.sum[j] * f1 - worst[j] * f2);
  const double value = GroupedCost(trial);
  if (value > g_state.value[g_state.worst]) {
    for (int j = 0; j < 2; j++) {
      g_state.sum[j] += trial[j] - worst[j];
      worst[j] = trial[j];
    }
    g_state.value[g_state.worst] = value;
  }
  return value;
}

int BestVertex() {
  int best = 0;
  for (int i = 1; i < 3; i++)
    if (g_state.value[i] > g_state.value[best])
      best = i;
  return best;
}

}  // namespace

double autophase_cost(const float* vertex) {
  double cost = 0.0;
  int k = 0;
  for (const float* p = g_state.first; p < g_state.end; p += 2, k++) {
    const double angle = std::fabs(p[1] + vertex[0] + k * (double)vertex[1]);
    if (angle > kTurned)
      cost = std::fmin(cost, p[0] * std::cos(angle));
  }
  return cost;
}

const float* autophase(int n, float* points) {
  static float s_none[2];
  s_none[0] = s_none[1] = 0.0f;
  if (n < 1 || points == nullptr)
    return s_none;
  const float start[3][2] = {{0.0f, 0.0f}, {(float)(-3.14159 * 0.5), 0.0f}, {0.0f, (float)(-1.0 / n)}};
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 2; j++)
      g_state.vertex[i][j] = start[i][j];
  ComputeSums();
  g_state.first = points;
  g_state.end = points + 2 * (long)n;

  double smallestReal = 3.4028234663852886e38, smallestImaginary = 3.4028234663852886e38;
  for (int k = 0; k < n; k++) {
    smallestReal = std::fmin(smallestReal, points[2 * k]);
    smallestImaginary = std::fmin(smallestImaginary, points[2 * k + 1]);
  }
  g_state.value[0] = smallestReal;
  g_state.value[1] = smallestImaginary;
  ToMagnitude(points, n);
  GroupByModulus(points, n);
  g_state.value[2] = GroupedCost(g_state.vertex[2]);

  for (int iteration = 0; iteration < kIterations; iteration++) {
    int best = 0;
    g_state.worst = 0;
    for (int i = 1; i < 3; i++) {
      if (g_state.value[i] > g_state.value[best])
        best = i;
      if (g_state.value[i] < g_state.value[g_state.worst])
        g_state.worst = i;
    }
    const double bestValue = g_state.value[best];
    if (bestValue >= 0.0 || (g_state.value[g_state.worst] - bestValue) / bestValue < kTolerance)
      break;
    const double reflected = simplex_try(-1.0);
    if (reflected > bestValue) {
      simplex_try(2.0);
      continue;
    }
    // The vertex that is neither best nor worst (values that do not
    // compare, such as NaN, leave both at 0).
    int middle = 0;
    while (middle == best || middle == g_state.worst)
      middle++;
    if (reflected >= g_state.value[middle])
      continue;
    const double worstValue = g_state.value[g_state.worst];
    if (simplex_try(0.5) < worstValue) {
      for (int i = 0; i < 3; i++) {
        if (i == best)
          continue;
        for (int j = 0; j < 2; j++)
          g_state.vertex[i][j] = (g_state.vertex[i][j] + g_state.vertex[best][j]) / 2.0f;
        g_state.value[i] = GroupedCost(g_state.vertex[i]);
      }
      ComputeSums();
    }
  }
  float* result = g_state.vertex[BestVertex()];
  result[1] *= (float)n;
  return result;
}
