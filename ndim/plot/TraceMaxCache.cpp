#include "ndim/plot/TraceMaxCache.h"

#include <cmath>
#include <cstddef>

namespace {
long long Sample(float v) {
  const long double x = static_cast<long double>(v) * 1000;
  if (x != x)
    return 0;
  return x >= 9.2e18L ? 9200000000000000000LL : (x <= -9.2e18L ? -9200000000000000000LL : static_cast<long long>(x));
}
}  // namespace

float CTraceMaxCache::Scan(const float* p, int n, bool complex) {
  if (!p || n < 1)
    return m_fMax;
  const std::size_t step = complex ? 2 : 1;
  const long long samples[3] = {Sample(p[0]), Sample(p[step * (n / 2)]), Sample(p[step * (n - 1)])};
  if (p == m_pTrace && n == m_nPoints && complex == m_bComplex && samples[0] == m_samples[0] &&
      samples[1] == m_samples[1] && samples[2] == m_samples[2])
    return m_fMax;

  float best = 0.0f;
  for (int i = 0; i < n; ++i) {
    const float v = p[step * i];
    if (std::isfinite(v) && std::fabs(v) > std::fabs(best))
      best = v;
  }
  m_fMax = best;
  m_pTrace = p;
  m_nPoints = n;
  m_bComplex = complex;
  for (int i = 0; i < 3; ++i)
    m_samples[i] = samples[i];
  return m_fMax;
}
