// The trace's columns, found from their edges, are the points the former
// point-by-point mapping gave: on random data (with NaN, infinities and
// plateaus) under random mappings (reversed, zero and vast spans, ranges
// that start before the data or on an odd index, gains of either sign,
// zero, infinite or NaN, clipped or not).
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "onedim/plot/SpectrumTrace.h"
#include "tests/onedim/plot/legacy_trace.h"

namespace {

std::vector<float> RandomData(std::mt19937& gen, int td) {
  std::uniform_int_distribution<int> kind(0, 99);
  std::normal_distribution<float> value(0.0f, 1000.0f);
  std::vector<float> v(td);
  float plateau = 0.0f;
  for (float& f : v) {
    const int k = kind(gen);
    if (k == 0)
      f = std::numeric_limits<float>::quiet_NaN();
    else if (k == 1)
      f = k % 2 ? std::numeric_limits<float>::infinity() : -std::numeric_limits<float>::infinity();
    else if (k < 5)
      f = k == 2 ? 0.0f : -0.0f;
    else if (k < 30)
      f = plateau;
    else
      plateau = f = value(gen) * (k > 95 ? 1e30f : 1.0f);
  }
  return v;
}

TraceMapping RandomMapping(std::mt19937& gen, int td) {
  auto pick = [&gen](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(gen); };
  TraceMapping m;
  m.nFirst = pick(0, 3) == 0 ? -pick(0, 50) : pick(0, td / 2);
  m.nLast = m.nFirst + 1 + pick(0, td + 60);
  m.nBegin = std::max(m.nFirst, 0);
  m.nEnd = std::min(m.nLast, td);
  switch (pick(0, 6)) {
    case 0:  // wider than the points
      m.xLeft = pick(-100, 100);
      m.xRight = m.xLeft + pick(1, 3 * td);
      break;
    case 1:  // reversed
      m.xLeft = pick(0, 4000);
      m.xRight = m.xLeft - pick(0, 4000);
      break;
    case 2:  // beyond MulDivRound's exact range
      m.xLeft = INT_MIN + pick(0, 1000);
      m.xRight = INT_MAX - pick(0, 1000);
      break;
    case 3:
      m.xLeft = m.xRight = pick(-10, 10);
      break;
    case 4:  // a billion pixels for a few thousand points (a hostile file's extent)
      m.xLeft = pick(-1000, 0);
      m.xRight = m.xLeft + (1 << 30) + pick(0, 1000) * (1 << 20);
      break;
    default:
      m.xLeft = pick(-500, 500);
      m.xRight = m.xLeft + pick(1, 4000);
      break;
  }
  const long double gains[] = {0.37L, 1e-3L, -0.8L, 0.0L, 1e40L, std::numeric_limits<long double>::infinity(),
                               std::numeric_limits<long double>::quiet_NaN()};
  m.gain = gains[pick(0, 6)] * (1 + pick(0, 9) / 7.0L);
  m.y0 = pick(0, 9) == 0 ? std::numeric_limits<long double>::infinity() : pick(-200, 1200) + pick(0, 1) * 0.5L;
  m.bClip = pick(0, 1) != 0;
  m.yTop = pick(0, 50);
  m.yBottom = m.yTop + pick(0, 1200);
  return m;
}

TEST(TraceIdentity, RandomDataUnderRandomMappingsGiveTheFormerPoints) {
  std::mt19937 gen(47);
  for (int n = 0; n < 4000; ++n) {
    const int td = std::uniform_int_distribution<int>(1, 6000)(gen);
    const std::vector<float> data = RandomData(gen, td);
    const TraceMapping m = RandomMapping(gen, td);
    const std::vector<POINT> got = BuildColumnTrace(data.data(), m);
    const std::vector<POINT> want = legacy_trace::BuildColumnTrace(data.data(), m);
    ASSERT_EQ(got.size(), want.size()) << "case " << n;
    for (size_t k = 0; k < want.size(); ++k) {
      ASSERT_EQ(got[k].x, want[k].x) << "case " << n << " point " << k;
      ASSERT_EQ(got[k].y, want[k].y) << "case " << n << " point " << k;
    }
  }
}

}  // namespace
