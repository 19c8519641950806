// The trace's pixel columns as the second speed round built them, and as
// they were built before it (every point through MapX and MapY), with the
// integer conversions of that time (a cast of a long double, which changes
// the x87 control word twice). Kept as the former implementations that
// the benchmarks time beside today's; tests/onedim/plot/legacy_trace.h is
// the reference the tests compare against.
#pragma once

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <vector>

#include "onedim/plot/SpectrumTrace.h"

namespace former_trace {

inline int SaturatingInt(long double v) {
  if (v != v)
    return 0;
  if (v >= (long double)INT_MAX)
    return INT_MAX;
  if (v <= (long double)INT_MIN)
    return INT_MIN;
  return (int)v;
}

inline int MulDivRound(long long a, long long b, long long c) {
  if (c == 0)
    return 0;
  const long long kSmall = 1LL << 31;
  if (a > -kSmall && a < kSmall && b > -2 * kSmall && b < 2 * kSmall) {
    const long long num = a * b;
    long long q = num / c;
    const long long r = num % c;
    if (2 * (r < 0 ? -r : r) >= (c < 0 ? -c : c))
      q += ((num < 0) != (c < 0)) ? -1 : 1;
    return SaturatingInt((long double)q);
  }
  long double q = (long double)a * (long double)b / (long double)c;
  return SaturatingInt(q >= 0 ? floorl(q + 0.5L) : -floorl(-q + 0.5L));
}

inline int MapX(const TraceMapping& m, int i) {
  return SaturatingInt((long double)m.xLeft +
                       MulDivRound((long long)m.xRight - m.xLeft, (long long)i - m.nFirst, (long long)m.nLast - m.nFirst));
}

inline int MapY(const TraceMapping& m, float v) {
  const int y = SaturatingInt(m.y0 - m.gain * (long double)v);
  return m.bClip ? std::max(m.yTop, std::min(y, m.yBottom)) : y;
}

// Before the second speed round: every point mapped.
inline std::vector<POINT> BuildColumnTraceBeforePf2(const float* pData, const TraceMapping& m) {
  std::vector<POINT> points;
  if (pData == nullptr || m.IsEmpty() || m.nLast <= m.nFirst)
    return points;
  auto flush = [&points](int x, int yLow, int yHigh) {
    points.push_back(POINT{x, yLow});
    if (yHigh != yLow)
      points.push_back(POINT{x, yHigh});
  };
  int nColumn = MapX(m, m.nBegin);
  int yLow = MapY(m, pData[m.nBegin]);
  int yHigh = yLow;
  for (int i = m.nBegin + 2; i < m.nEnd; i += 2) {
    const int x = MapX(m, i);
    const int y = MapY(m, pData[i]);
    if (x == nColumn) {
      yLow = std::min(yLow, y);
      yHigh = std::max(yHigh, y);
      continue;
    }
    flush(nColumn, yLow, yHigh);
    nColumn = x;
    yLow = yHigh = y;
  }
  flush(nColumn, yLow, yHigh);
  return points;
}

// The second speed round's columns.

// The columns in order, each as its x and the index after its last point.
// MapX(i) = xLeft + round(a b / c) with b = i - nFirst >= 0, c > 0 and
// halves away from zero; while |a| < 2^31 that is MulDivRound's exact
// integer path and the sum stays between xLeft and xRight, so column k
// (|round| = k) ends where 2 |a| b >= (2k + 1) c first holds. The ends
// advance by whole and remainder parts, without a division per column,
// and jump past columns that hold no point. Wider spans go through MapX
// itself near each guessed end.
class CColumnWalk {
 public:
  explicit CColumnWalk(const TraceMapping& m)
      : m_m(m), m_a((long long)m.xRight - m.xLeft), m_c((long long)m.nLast - m.nFirst) {
    m_bExact = m_a != 0 && m_a > -(1LL << 31) && m_a < (1LL << 31);
    if (m_bExact) {
      // Column 0 ends at ceil(c / 2|a|), kept as quotient and remainder.
      m_a2 = 2 * (m_a < 0 ? -m_a : m_a);
      m_q = m_c / m_a2;
      m_r = m_c % m_a2;
      m_stepQ = (2 * m_c) / m_a2;
      m_stepR = (2 * m_c) % m_a2;
    }
  }

  // The x of the column that holds i, and through end the index after
  // its last point (of i's parity, at most nEnd).
  int Column(int i, int& end) {
    if (m_a == 0) {
      end = m_m.nEnd;
      return MapX(m_m, i);
    }
    const int x = m_bExact ? ExactColumn(i, end) : MapX(m_m, i);
    if (!m_bExact)
      end = SettledEnd(i, x);
    return x;
  }

 private:
  int ExactColumn(int i, int& end) {
    const long long b = (long long)i - m_m.nFirst;
    if (ColumnEnd() <= b)
      Advance();
    if (ColumnEnd() <= b)
      JumpTo(b);
    long long j = m_m.nFirst + ColumnEnd();
    j += (j - i) & 1;
    end = (int)std::min<long long>(j, m_m.nEnd);
    return (int)(m_a > 0 ? m_m.xLeft + m_k : m_m.xLeft - m_k);
  }

  long long ColumnEnd() const { return m_q + (m_r > 0 ? 1 : 0); }

  // Past empty columns (more pixels than points) at once: the column of b
  // is round(|a| b / c), in unsigned 64-bit integers, which hold
  // 2 |a| b + c and (2k + 1) c for |a| < 2^31 and b < c < 2^32.
  void JumpTo(long long b) {
    const unsigned long long a = (unsigned long long)(m_a2 / 2), c = (unsigned long long)m_c;
    const unsigned long long k = (2 * a * (unsigned long long)b + c) / (2 * c);
    const unsigned long long num = (2 * k + 1) * c;
    m_k = (long long)k;
    m_q = (long long)(num / (unsigned long long)m_a2);
    m_r = (long long)(num % (unsigned long long)m_a2);
  }

  void Advance() {
    ++m_k;
    m_q += m_stepQ;
    m_r += m_stepR;
    if (m_r >= m_a2) {
      m_r -= m_a2;
      ++m_q;
    }
  }

  // From the quotient in double, settled by MapX (monotonic): two or three
  // calls a column.
  int SettledEnd(int i, int x) const {
    const double edge =
        (x - (double)m_m.xLeft + (m_a > 0 ? 0.5 : -0.5)) * ((double)m_m.nLast - m_m.nFirst) / (double)m_a;
    const double guess = std::ceil(m_m.nFirst + edge);
    int j = m_m.nEnd;
    if (guess < (double)m_m.nEnd) {
      j = std::max(i + 2, (int)guess);
      j += (j - i) & 1;
    }
    while (j < m_m.nEnd && MapX(m_m, j) == x)
      j += 2;
    while (j - 2 > i && MapX(m_m, j - 2) != x)
      j -= 2;
    return std::min(j, m_m.nEnd);
  }

  const TraceMapping& m_m;
  const long long m_a, m_c;
  bool m_bExact = false;
  long long m_a2 = 1, m_k = 0, m_q = 0, m_r = 0, m_stepQ = 0, m_stepR = 0;
};

// The lowest and highest y of the points i, i + 2, ... below end. MapY is
// monotonic in the value for a finite zero line and gain, so only the
// column's smallest and largest values are mapped; a column holding a value
// that is not finite is mapped point by point.
inline void ColumnSpan(const float* pData, const TraceMapping& m, bool bMonotonic, int i, int end, int& yLow, int& yHigh) {
  float lo = pData[i], hi = lo;
  bool bFinite = true;
  for (int k = i; k < end; k += 2) {
    const float v = pData[k];
    lo = v < lo ? v : lo;
    hi = v > hi ? v : hi;
    bFinite &= std::fabs(v) <= FLT_MAX;
  }
  if (bMonotonic && bFinite) {
    const int a = MapY(m, lo), b = lo == hi ? a : MapY(m, hi);
    yLow = std::min(a, b);
    yHigh = std::max(a, b);
    return;
  }
  yLow = yHigh = MapY(m, pData[i]);
  for (int k = i + 2; k < end; k += 2) {
    const int y = MapY(m, pData[k]);
    yLow = std::min(yLow, y);
    yHigh = std::max(yHigh, y);
  }
}

inline std::vector<POINT> BuildColumnTrace(const float* pData, const TraceMapping& m) {
  std::vector<POINT> points;
  if (pData == nullptr || m.IsEmpty() || m.nLast <= m.nFirst)
    return points;
  const bool bMonotonic = std::isfinite(m.y0) && std::isfinite(m.gain);
  // At most one column a pixel and a point, two points a column.
  const long long nPixels = std::abs((long long)m.xRight - m.xLeft) + 1;
  points.reserve((size_t)(2 * std::min<long long>(nPixels, (m.nEnd - m.nBegin + 1) / 2 + 1)));
  CColumnWalk walk(m);
  for (int i = m.nBegin; i < m.nEnd;) {
    int end;
    const int x = walk.Column(i, end);
    int yLow, yHigh;
    ColumnSpan(pData, m, bMonotonic, i, end, yLow, yHigh);
    points.push_back(POINT{x, yLow});
    if (yHigh != yLow)
      points.push_back(POINT{x, yHigh});
    i = end;
  }
  return points;
}

}  // namespace former_trace
