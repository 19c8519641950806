#include "onedim/model/WindowWeights.h"

#include <emmintrin.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "numerics/Constants.h"

namespace window_weights {
namespace {

// Weights of kBlock neighbours come from the sin and cos (or exps) of the
// block's first one by angle addition with a table of the steps, so that a
// block costs two libm calls and each weight a few multiplications.
const int kBlock = 64;

// The angles phi + K i / td (i = 0 ... td) run from phi to their end phi + K,
// which is pi or pi / 2. Near the end a sine (or, for pi / 2, a cosine) is
// small, and only the distance to the end, K (td - i) / td, gives it to full
// relative precision; each block starts from whichever end is nearer.
struct AngleBlocks {
  AngleBlocks(double phiIn, double kIn, int tdIn, bool bEndAtPi) : phi(phiIn), k(kIn), td(tdIn), bPi(bEndAtPi) {
    const double step = k / td;
    for (int j = 0; j < kBlock; ++j) {
      c[j] = std::cos(j * step);
      s[j] = std::sin(j * step);
    }
  }
  // sin and cos of the angle of index i0.
  void Start(int i0, double& sin0, double& cos0) const {
    const double x = phi + k * ((double)i0 / td);
    const double end = bPi ? kPi : kPi / 2;
    if (x <= end / 2) {
      sin0 = std::sin(x);
      cos0 = std::cos(x);
      return;
    }
    const double u = k * ((double)(td - i0) / td);
    if (bPi) {
      sin0 = std::sin(u);
      cos0 = -std::cos(u);
    } else {
      sin0 = std::cos(u);
      cos0 = std::sin(u);
    }
  }
  double phi, k;
  int td;
  bool bPi;
  double c[kBlock], s[kBlock];
};

template <typename Rule>
void FillBlocks(const AngleBlocks& a, double* weights, Rule rule) {
  for (int i0 = 0; i0 < a.td; i0 += kBlock) {
    const int count = std::min(kBlock, a.td - i0);
    double sin0, cos0;
    a.Start(i0, sin0, cos0);
    for (int j = 0; j < count; ++j)
      weights[i0 + j] = rule(sin0 * a.c[j] + cos0 * a.s[j], cos0 * a.c[j] - sin0 * a.s[j]);
  }
}

// w = ei / (er^2 + ei^2) with ei = exp(a i), er = exp(a (td - i)), that is
// 1 / (exp(a (2 td - 3 i)) + exp(a i)).
bool TraficanteWeights(long double lb, int td, long double sw, double* weights) {
  const long double a = -lb * kPiL / (2.0L * sw);
  if (!(std::fabs(a) * 2.0L * td <= 128.0L))
    return false;
  double rise[kBlock], fall[kBlock];
  const double ad = (double)a;
  for (int j = 0; j < kBlock; ++j) {
    rise[j] = std::exp(ad * j);
    fall[j] = std::exp(-3.0 * ad * j);
  }
  for (int i0 = 0; i0 < td; i0 += kBlock) {
    const int count = std::min(kBlock, td - i0);
    const double q0 = std::exp((double)(a * i0));
    const double p0 = std::exp((double)(a * (2.0L * td - 3.0L * i0)));
    for (int j = 0; j < count; ++j)
      weights[i0 + j] = 1.0 / (p0 * fall[j] + q0 * rise[j]);
  }
  return true;
}

inline __m128d LoadFloats(const float* p) {
  return _mm_cvtps_pd(_mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p))));
}

inline __m128d Abs(__m128d v) {
  return _mm_and_pd(v, _mm_castsi128_pd(_mm_set1_epi64x(0x7FFFFFFFFFFFFFFFLL)));
}

inline float LongDoubleProduct(float s, double w) {
  return static_cast<float>(s * static_cast<long double>(w));
}

}  // namespace

bool NearWeights(int type, float lb, float sineShift, int td, long double sw, double* weights, double& absolute) {
  absolute = type == 7 ? kNearAbsolute : 0.0;
  if (td <= 0 || !(sw > 0.0L))
    return false;
  switch (type) {
    case 3:
      return TraficanteWeights(lb, td, sw, weights);
    case 4:
    case 5: {
      const long double phi = sineShift * static_cast<long double>(kDegToRad);
      if (!(phi >= 0.0L && phi <= kPiL / 2))
        return false;
      const AngleBlocks a((double)phi, (double)(kPiL - phi), td, true);
      if (type == 4)
        FillBlocks(a, weights, [](double s, double) { return s; });
      else
        FillBlocks(a, weights, [](double s, double) { return s * s; });
      return true;
    }
    case 6: {
      const AngleBlocks a(0.0, (double)kPiL, td, true);
      const double c0 = (double)0.54L, c1 = (double)0.46L;
      FillBlocks(a, weights, [c0, c1](double, double c) { return c0 + c1 * c; });
      return true;
    }
    case 7: {
      // 0.5 (1 + cos x) = cos^2 (x / 2), which keeps its precision near x = pi.
      const AngleBlocks a(0.0, (double)(kPiL / 2), td, false);
      FillBlocks(a, weights, [](double, double c) { return c * c; });
      return true;
    }
    default:
      return false;
  }
}

bool SettleNearFloats(const float* source, const double* weights, int td, double absolute,
                      std::vector<int>& unsettled) {
  // The interval of products that weights within the bound give, widened by
  // the roundings of the products themselves (double and long double).
  const __m128d rel = _mm_set1_pd(kNearRelative + 1.0 / (1LL << 50));
  const __m128d abs = _mm_set1_pd(absolute);
  const __m128d limit = _mm_set1_pd(FLT_MAX);
  int i = 0;
  for (; i + 2 <= td; i += 2) {
    const __m128d s = LoadFloats(source + i);
    const __m128d p = _mm_mul_pd(s, _mm_loadu_pd(weights + i));
    const __m128d slack = _mm_add_pd(_mm_mul_pd(Abs(p), rel), _mm_mul_pd(Abs(s), abs));
    const __m128d lo = _mm_sub_pd(p, slack), hi = _mm_add_pd(p, slack);
    // Equal as floats: a zero's sign is the product's, the same for every
    // weight within the bound (near weights keep the own weights' sign).
    const int same = _mm_movemask_ps(_mm_cmpeq_ps(_mm_cvtpd_ps(lo), _mm_cvtpd_ps(hi))) & 3;
    const int inside = _mm_movemask_pd(_mm_and_pd(_mm_cmple_pd(Abs(lo), limit), _mm_cmple_pd(Abs(hi), limit)));
    if ((same & inside) == 3)
      continue;
    for (int j = 0; j < 2; ++j) {
      if ((same & inside) >> j & 1)
        continue;
      // Wholly beyond the range: refused whatever the weight.
      if (!(inside >> j & 1) && std::fabs((double)source[i + j] * weights[i + j]) * (1.0 - 1.0 / (1LL << 40)) > FLT_MAX)
        return false;
      unsettled.push_back(i + j);
    }
  }
  for (; i < td; ++i) {
    const double s = source[i], p = s * weights[i];
    const double slack = std::fabs(p) * (kNearRelative + 1.0 / (1LL << 50)) + std::fabs(s) * absolute;
    const double lo = p - slack, hi = p + slack;
    if ((float)lo == (float)hi && std::fabs(lo) <= FLT_MAX && std::fabs(hi) <= FLT_MAX)
      continue;
    if (!(std::fabs(lo) <= FLT_MAX && std::fabs(hi) <= FLT_MAX) && std::fabs(p) * (1.0 - 1.0 / (1LL << 40)) > FLT_MAX)
      return false;
    unsettled.push_back(i);
  }
  return true;
}

void FindCurveRows(const double* weights, int td, std::vector<int>& rows) {
  __m128d top = _mm_setzero_pd();
  int i = 0;
  for (; i + 2 <= td; i += 2)
    top = _mm_max_pd(top, Abs(_mm_loadu_pd(weights + i)));
  double largest = std::max(_mm_cvtsd_f64(top), _mm_cvtsd_f64(_mm_unpackhi_pd(top, top)));
  for (; i < td; ++i)
    largest = std::max(largest, std::fabs(weights[i]));
  const __m128d high = _mm_set1_pd(largest * (1.0 - 0x1p-40));
  // The 44 bits past eight significant bits, moved by 4096: below 8192
  // within 4096 units of such a number.
  const __m128i low44 = _mm_set1_epi64x((1LL << 44) - 1), shift = _mm_set1_epi64x(4096);
  for (i = 0; i + 2 <= td; i += 2) {
    const __m128d w = _mm_loadu_pd(weights + i);
    const __m128i low = _mm_srli_epi64(_mm_and_si128(_mm_add_epi64(_mm_castpd_si128(w), shift), low44), 13);
    const int near = _mm_movemask_epi8(_mm_cmpeq_epi32(low, _mm_setzero_si128()));
    const int tall = _mm_movemask_pd(_mm_cmpge_pd(Abs(w), high));
    if (near == 0 && tall == 0)
      continue;
    for (int j = 0; j < 2; ++j)
      if ((near >> (8 * j) & 0xFF) == 0xFF || (tall >> j & 1))
        rows.push_back(i + j);
  }
  for (; i < td; ++i) {
    uint64_t bits;
    std::memcpy(&bits, &weights[i], sizeof bits);
    if (std::fabs(weights[i]) >= largest * (1.0 - 0x1p-40) || ((bits + 4096) & ((1ULL << 44) - 1)) < 8192)
      rows.push_back(i);
  }
}

void Weigh(const float* source, const double* weights, int td, float* target) {
  // float(double(s w)) is float(s w) unless the double lies exactly half way
  // between two floats (its 29 bits below a float's mantissa read 1000...0)
  // or below the normal floats, where a float has fewer bits; and so is the
  // long double product's float, rounded from 64 bits.
  const __m128i low29 = _mm_set1_epi64x(0x1FFFFFFF);
  const __m128i half = _mm_set1_epi64x(0x10000000);
  const __m128d tiny = _mm_set1_pd(FLT_MIN);
  int i = 0;
  for (; i + 2 <= td; i += 2) {
    const __m128d p = _mm_mul_pd(LoadFloats(source + i), _mm_loadu_pd(weights + i));
    const __m128i bits = _mm_and_si128(_mm_castpd_si128(p), low29);
    const int halfway = _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(bits, half))) & 5;
    const int small =
        _mm_movemask_pd(_mm_and_pd(_mm_cmplt_pd(Abs(p), tiny), _mm_cmpneq_pd(p, _mm_setzero_pd())));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(target + i), _mm_castps_si128(_mm_cvtpd_ps(p)));
    if (halfway | small) {
      for (int j = 0; j < 2; ++j)
        if ((halfway >> (2 * j) & 1) || (small >> j & 1))
          target[i + j] = LongDoubleProduct(source[i + j], weights[i + j]);
    }
  }
  for (; i < td; ++i)
    target[i] = LongDoubleProduct(source[i], weights[i]);
}

}  // namespace window_weights
