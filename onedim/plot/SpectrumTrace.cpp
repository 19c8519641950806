#include "onedim/plot/SpectrumTrace.h"

#include <emmintrin.h>

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "onedim/model/Spectrum.h"
#include "numerics/Saturate.h"

TraceMapping MakeTraceMapping(const CSpectrum& s, const TraceDevice& device, bool bForTrace) {
  TraceMapping m;
  const int nXOffset = device.bPrinter ? device.rcMargins.left : 0;
  const int nTopOffset = device.bPrinter ? device.rcMargins.top : 0;
  const int nBottomOffset = device.bPrinter ? device.rcMargins.bottom : 0;

  m.nFirst = s.m_nFirst;
  m.nLast = s.m_nLast;
  // Only the floats that exist are read, whatever range a file gave.
  m.nBegin = std::max(s.m_nFirst, 0);
  m.nEnd = s.m_pData != nullptr ? std::min(s.m_nLast, s.m_paramsA.td) : 0;

  m.xLeft = SaturatingInt(nXOffset + (long double)s.m_nLeftPixel * s.m_dPrintScaleX);
  m.xRight = SaturatingInt(nXOffset + (long double)s.m_nRightPixel * s.m_dPrintScaleX);

  const long double mid = ((long long)s.m_rectPlot.top + s.m_rectPlot.bottom) / 2;
  m.y0 = mid * s.m_dPrintScaleY + nTopOffset;
  long double normaliser = std::fabs(s.m_fMaxValue);
  if (!(normaliser >= 1e-11L))
    normaliser = 1.0L;
  m.gain =
      (long double)s.m_dPrintScaleY * ((long double)s.m_fVerticalScale * (long double)s.m_fIntensityStep / normaliser);

  const bool bPaper = device.bPrinter || device.bMetafile;
  m.bClip = bForTrace || bPaper;
  const int nHeight = bForTrace && device.bMetafile ? 11250 : device.nVertRes;
  m.yTop = nTopOffset + 5;
  m.yBottom = nHeight - nBottomOffset;
  if (device.bPrinter) {
    // Row VERTRES lies past the page. And paper has no band to hide what
    // the screen hides below the solid scale: a trace let through would run
    // over the tick labels to the page's edge, so it stops at the line the
    // band becomes.
    m.yBottom = std::min(m.yBottom, device.nVertRes - nBottomOffset - 1);
    if (s.m_bShowScale && !s.m_Scale.IsFloating())
      m.yBottom = std::min(m.yBottom, s.m_Scale.GetLineY(true, s.m_dPrintScaleY, nTopOffset));
  }
  return m;
}

namespace {

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
      return m_m.MapX(i);
    }
    const int x = m_bExact ? ExactColumn(i, end) : m_m.MapX(i);
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
    while (j < m_m.nEnd && m_m.MapX(j) == x)
      j += 2;
    while (j - 2 > i && m_m.MapX(j - 2) != x)
      j -= 2;
    return std::min(j, m_m.nEnd);
  }

  const TraceMapping& m_m;
  const long long m_a, m_c;
  bool m_bExact = false;
  long long m_a2 = 1, m_k = 0, m_q = 0, m_r = 0, m_stepQ = 0, m_stepR = 0;
};

// MapY of two values at once in double precision, where that gives MapY's
// own: the double y lies within 2^-49 (|y0| + |gain v|) of y0 - gain v, as
// MapY's long double does, so where no whole number lies within that of
// it both truncate alike. False (and MapY to be taken) otherwise.
class CDoubleMapY {
 public:
  explicit CDoubleMapY(const TraceMapping& m)
      : m_m(m), m_y0(_mm_set1_pd((double)m.y0)), m_gain(_mm_set1_pd((double)m.gain)) {
    m_bUsable = std::fabs((double)m.y0) < 0x1p40 && std::fabs((double)m.gain) <= DBL_MAX;
  }

  bool Map(float lo, float hi, int& a, int& b) const {
    if (!m_bUsable)
      return false;
    const __m128d sign = _mm_set1_pd(-0.0);
    const __m128d g = _mm_mul_pd(m_gain, _mm_cvtps_pd(_mm_set_ps(0.0f, 0.0f, hi, lo)));
    const __m128d y = _mm_sub_pd(m_y0, g);
    const __m128d eps =
        _mm_mul_pd(_mm_add_pd(_mm_andnot_pd(sign, m_y0), _mm_andnot_pd(sign, g)), _mm_set1_pd(0x1p-49));
    const __m128d low = _mm_sub_pd(y, eps), high = _mm_add_pd(y, eps);
    const __m128d limit = _mm_set1_pd(2147483647.0);
    // Also refuses y that is not a number (a gain times a value beyond the double range).
    if (_mm_movemask_pd(_mm_and_pd(_mm_cmplt_pd(_mm_andnot_pd(sign, low), limit),
                                   _mm_cmplt_pd(_mm_andnot_pd(sign, high), limit))) != 3)
      return false;
    const __m128i tl = _mm_cvttpd_epi32(low), th = _mm_cvttpd_epi32(high);
    if ((_mm_movemask_epi8(_mm_cmpeq_epi32(tl, th)) & 0xFF) != 0xFF)
      return false;
    a = Clip(_mm_cvtsi128_si32(tl));
    b = Clip(_mm_cvtsi128_si32(_mm_srli_si128(tl, 4)));
    return true;
  }

 private:
  int Clip(int y) const { return m_m.bClip ? std::max(m_m.yTop, std::min(y, m_m.yBottom)) : y; }

  const TraceMapping& m_m;
  const __m128d m_y0, m_gain;
  bool m_bUsable = false;
};

// The lowest and highest y of the points i, i + 2, ... below end. MapY is
// monotonic in the value for a finite zero line and gain, so only the
// column's smallest and largest values are mapped; a column holding a value
// that is not finite is mapped point by point.
void ColumnSpan(const float* pData, const TraceMapping& m, const CDoubleMapY& doubleMap, bool bMonotonic, int i,
                int end, int& yLow, int& yHigh) {
  float lo = pData[i], hi = lo;
  bool bFinite = true;
  int k = i;
  if (end - i >= 16) {
    // Four points a step, the reals of pData[k .. k + 6]: the smallest and
    // largest of finite values are the same in any order (a column with a
    // value that is not finite is mapped point by point below).
    __m128 lo4 = _mm_set1_ps(lo), hi4 = lo4;
    __m128i special = _mm_setzero_si128();
    const __m128i exponent = _mm_set1_epi32(0x7F800000);
    for (; k + 6 < end; k += 8) {
      const __m128 v = _mm_shuffle_ps(_mm_loadu_ps(pData + k), _mm_loadu_ps(pData + k + 3), _MM_SHUFFLE(3, 1, 2, 0));
      lo4 = _mm_min_ps(v, lo4);
      hi4 = _mm_max_ps(v, hi4);
      const __m128i e = _mm_and_si128(_mm_castps_si128(v), exponent);
      special = _mm_or_si128(special, _mm_cmpeq_epi32(e, exponent));
    }
    lo4 = _mm_min_ps(lo4, _mm_shuffle_ps(lo4, lo4, _MM_SHUFFLE(1, 0, 3, 2)));
    lo4 = _mm_min_ps(lo4, _mm_shuffle_ps(lo4, lo4, _MM_SHUFFLE(2, 3, 0, 1)));
    hi4 = _mm_max_ps(hi4, _mm_shuffle_ps(hi4, hi4, _MM_SHUFFLE(1, 0, 3, 2)));
    hi4 = _mm_max_ps(hi4, _mm_shuffle_ps(hi4, hi4, _MM_SHUFFLE(2, 3, 0, 1)));
    lo = _mm_cvtss_f32(lo4);
    hi = _mm_cvtss_f32(hi4);
    bFinite = _mm_movemask_epi8(special) == 0;
  }
  for (; k < end; k += 2) {
    const float v = pData[k];
    lo = v < lo ? v : lo;
    hi = v > hi ? v : hi;
    bFinite &= std::fabs(v) <= FLT_MAX;
  }
  if (bMonotonic && bFinite) {
    int a, b;
    if (!doubleMap.Map(lo, hi, a, b)) {
      a = m.MapY(lo);
      b = lo == hi ? a : m.MapY(hi);
    }
    yLow = std::min(a, b);
    yHigh = std::max(a, b);
    return;
  }
  yLow = yHigh = m.MapY(pData[i]);
  for (int k = i + 2; k < end; k += 2) {
    const int y = m.MapY(pData[k]);
    yLow = std::min(yLow, y);
    yHigh = std::max(yHigh, y);
  }
}

}  // namespace

std::vector<POINT> BuildColumnTrace(const float* pData, const TraceMapping& m) {
  std::vector<POINT> points;
  if (pData == nullptr || m.IsEmpty() || m.nLast <= m.nFirst)
    return points;
  const bool bMonotonic = std::isfinite(m.y0) && std::isfinite(m.gain);
  // At most one column a pixel and a point, two points a column.
  const long long nPixels = std::abs((long long)m.xRight - m.xLeft) + 1;
  points.reserve((size_t)(2 * std::min<long long>(nPixels, (m.nEnd - m.nBegin + 1) / 2 + 1)));
  CColumnWalk walk(m);
  const CDoubleMapY doubleMap(m);
  for (int i = m.nBegin; i < m.nEnd;) {
    int end;
    const int x = walk.Column(i, end);
    int yLow, yHigh;
    ColumnSpan(pData, m, doubleMap, bMonotonic, i, end, yLow, yHigh);
    points.push_back(POINT{x, yLow});
    if (yHigh != yLow)
      points.push_back(POINT{x, yHigh});
    i = end;
  }
  return points;
}
