#include "onedim/processing/PolarConversion.h"

#include <emmintrin.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

// Whether float(x) is the float of every value within 2^-47 |x| of x: x
// lies farther than that from half way between two floats (64 units of
// the 29 mantissa bits that a float drops) and within the normal floats.
bool SettlesFloat(double x) {
  if (x == 0.0)
    return true;
  if (!(std::fabs(x) >= 0x1p-125 && std::fabs(x) <= 0x1p127))
    return false;
  uint64_t bits;
  std::memcpy(&bits, &x, sizeof bits);
  const int64_t low = (int64_t)(bits & 0x1FFFFFFF) - 0x10000000;
  return low > 64 || low < -64;
}

// atan2(y, x) of finite values, not both 0, within 2^-51 of its value:
// reduced to z = min / max of |x| and |y| in 0 ... 1, then to
// w = (z - c) / (1 + z c) with c the nearest eighth, |w| <= 1/16, where
// seven terms of the series of atan w leave 2^-60; atan c comes from a
// table kept as two doubles.
struct AtanTable {
  double hi[9], lo[9];
  AtanTable() {
    for (int j = 0; j <= 8; j++) {
      const long double a = std::atan(j / 8.0L);
      hi[j] = (double)a;
      lo[j] = (double)(a - hi[j]);
    }
  }
};
const AtanTable& Eighths() {
  static const AtanTable table;
  return table;
}
const double kHalfPiHi = 1.5707963267948966, kHalfPiLo = 6.123233995736766e-17;
const double kPiHi = 3.141592653589793, kPiLo = 1.2246467991473532e-16;

double NearAtan2(double y, double x) {
  const AtanTable& table = Eighths();
  const double ax = std::fabs(x), ay = std::fabs(y);
  const bool bSwap = ay > ax;
  const double z = bSwap ? ax / ay : ay / ax;
  const int j = (int)(z * 8.0 + 0.5);
  const double c = j / 8.0;
  const double w = (z - c) / (1.0 + z * c), w2 = w * w;
  const double series =
      w2 * (-1.0 / 3 + w2 * (1.0 / 5 + w2 * (-1.0 / 7 + w2 * (1.0 / 9 + w2 * (-1.0 / 11 + w2 * (1.0 / 13))))));
  double r = table.hi[j] + (w + (w * series + table.lo[j]));
  if (bSwap)
    r = kHalfPiHi - r + kHalfPiLo;
  if (x < 0.0)
    r = kPiHi - r + kPiLo;
  return std::copysign(r, y);
}

// One pair (re, im) to (modulus, argument).
void PolarPair(float* pPair) {
  const float fre = pPair[0], fim = pPair[1];
  const double dre = fre, dim = fim;
  const double modulus = std::sqrt(dre * dre + dim * dim);
  const bool bFinite = std::isfinite(dre) && std::isfinite(dim) && modulus > 0.0;
  const double argument = bFinite ? NearAtan2(dim, dre) : 0.0;
  if (bFinite && SettlesFloat(modulus) && SettlesFloat(argument)) {
    pPair[0] = (float)modulus;
    pPair[1] = (float)argument;
    return;
  }
  const long double re = fre;
  const long double im = fim;
  pPair[0] = (float)std::sqrt(re * re + im * im);
  pPair[1] = (float)std::atan2(im, re);
}

// SettlesFloat of both lanes, as a mask of both lanes.
inline __m128d SettleMask(__m128d x) {
  const __m128d ax = _mm_andnot_pd(_mm_set1_pd(-0.0), x);
  const __m128d normal = _mm_and_pd(_mm_cmpge_pd(ax, _mm_set1_pd(0x1p-125)), _mm_cmple_pd(ax, _mm_set1_pd(0x1p127)));
  // The low 29 bits less half way, plus 64: 0 ... 128 lies too near.
  const __m128i low = _mm_and_si128(_mm_castpd_si128(x), _mm_set1_epi64x(0x1FFFFFFF));
  const __m128i d = _mm_add_epi32(low, _mm_set1_epi32(64 - 0x10000000));
  const __m128i nearHalf = _mm_and_si128(_mm_cmpgt_epi32(d, _mm_set1_epi32(-1)), _mm_cmplt_epi32(d, _mm_set1_epi32(129)));
  const __m128d near64 = _mm_castsi128_pd(_mm_shuffle_epi32(nearHalf, _MM_SHUFFLE(2, 2, 0, 0)));
  return _mm_or_pd(_mm_cmpeq_pd(x, _mm_setzero_pd()), _mm_andnot_pd(near64, normal));
}

// NearAtan2 of two lanes, operation for operation.
inline __m128d NearAtan2x2(__m128d y, __m128d x) {
  const AtanTable& table = Eighths();
  const __m128d sign = _mm_set1_pd(-0.0);
  const __m128d ax = _mm_andnot_pd(sign, x), ay = _mm_andnot_pd(sign, y);
  const __m128d swap = _mm_cmpgt_pd(ay, ax);
  const __m128d z = _mm_div_pd(_mm_min_pd(ax, ay), _mm_max_pd(ax, ay));
  const __m128i j = _mm_cvttpd_epi32(_mm_add_pd(_mm_mul_pd(z, _mm_set1_pd(8.0)), _mm_set1_pd(0.5)));
  const unsigned j0 = (unsigned)_mm_cvtsi128_si32(j), j1 = (unsigned)_mm_cvtsi128_si32(_mm_srli_si128(j, 4));
  const unsigned k0 = j0 <= 8 ? j0 : 0, k1 = j1 <= 8 ? j1 : 0;  // z not a number: the lane is refused anyway
  const __m128d c = _mm_div_pd(_mm_cvtepi32_pd(j), _mm_set1_pd(8.0));
  const __m128d w = _mm_div_pd(_mm_sub_pd(z, c), _mm_add_pd(_mm_set1_pd(1.0), _mm_mul_pd(z, c)));
  const __m128d w2 = _mm_mul_pd(w, w);
  __m128d series = _mm_set1_pd(1.0 / 13);
  series = _mm_add_pd(_mm_set1_pd(-1.0 / 11), _mm_mul_pd(w2, series));
  series = _mm_add_pd(_mm_set1_pd(1.0 / 9), _mm_mul_pd(w2, series));
  series = _mm_add_pd(_mm_set1_pd(-1.0 / 7), _mm_mul_pd(w2, series));
  series = _mm_add_pd(_mm_set1_pd(1.0 / 5), _mm_mul_pd(w2, series));
  series = _mm_add_pd(_mm_set1_pd(-1.0 / 3), _mm_mul_pd(w2, series));
  series = _mm_mul_pd(w2, series);
  const __m128d hi = _mm_set_pd(table.hi[k1], table.hi[k0]), lo = _mm_set_pd(table.lo[k1], table.lo[k0]);
  __m128d r = _mm_add_pd(hi, _mm_add_pd(w, _mm_add_pd(_mm_mul_pd(w, series), lo)));
  const __m128d swapped = _mm_add_pd(_mm_sub_pd(_mm_set1_pd(kHalfPiHi), r), _mm_set1_pd(kHalfPiLo));
  r = _mm_or_pd(_mm_and_pd(swap, swapped), _mm_andnot_pd(swap, r));
  const __m128d left = _mm_cmplt_pd(x, _mm_setzero_pd());
  const __m128d turned = _mm_add_pd(_mm_sub_pd(_mm_set1_pd(kPiHi), r), _mm_set1_pd(kPiLo));
  r = _mm_or_pd(_mm_and_pd(left, turned), _mm_andnot_pd(left, r));
  return _mm_or_pd(_mm_andnot_pd(sign, r), _mm_and_pd(sign, y));
}

}  // namespace

// The modulus and argument in double precision, within 2^-51 of their
// values, give the floats that long double gives wherever they settle them;
// elsewhere (and for values that are not finite) long double gives them.
// Two points a step.
void ToMagnitude(float* pPairs, int nPairs) {
  if (pPairs == nullptr)
    return;
  const __m128d kLargest = _mm_set1_pd(DBL_MAX);
  int k = 0;
  for (; k + 2 <= nPairs; k += 2) {
    float* p = pPairs + 2 * k;
    const __m128 v = _mm_shuffle_ps(_mm_loadu_ps(p), _mm_loadu_ps(p), _MM_SHUFFLE(3, 1, 2, 0));
    const __m128d re = _mm_cvtps_pd(v), im = _mm_cvtps_pd(_mm_movehl_ps(v, v));
    const __m128d modulus = _mm_sqrt_pd(_mm_add_pd(_mm_mul_pd(re, re), _mm_mul_pd(im, im)));
    const __m128d argument = NearAtan2x2(im, re);
    const __m128d sign = _mm_set1_pd(-0.0);
    __m128d ok = _mm_and_pd(_mm_cmple_pd(_mm_andnot_pd(sign, re), kLargest),
                            _mm_cmple_pd(_mm_andnot_pd(sign, im), kLargest));
    ok = _mm_and_pd(ok, _mm_cmpgt_pd(modulus, _mm_setzero_pd()));
    ok = _mm_and_pd(ok, _mm_and_pd(SettleMask(modulus), SettleMask(argument)));
    if (_mm_movemask_pd(ok) == 3) {
      _mm_storeu_ps(p, _mm_unpacklo_ps(_mm_cvtpd_ps(modulus), _mm_cvtpd_ps(argument)));
      continue;
    }
    PolarPair(p);
    PolarPair(p + 2);
  }
  for (; k < nPairs; k++) {
    PolarPair(pPairs + 2 * k);
  }
}

void ToPower(float* pPairs, int nPairs) {
  if (pPairs == nullptr)
    return;
  for (int k = 0; k < nPairs; k++) {
    const long double re = pPairs[2 * k];
    const long double im = pPairs[2 * k + 1];
    pPairs[2 * k] = (float)(re * re + im * im);
    pPairs[2 * k + 1] = (float)std::atan2(im, re);
  }
}

void PolarToCartesian(float* pPairs, int nPairs) {
  if (pPairs == nullptr)
    return;
  for (int k = 0; k < nPairs; k++) {
    const long double r = pPairs[2 * k];
    const long double a = pPairs[2 * k + 1];
    pPairs[2 * k] = (float)(r * std::cos(a));
    pPairs[2 * k + 1] = (float)(r * std::sin(a));
  }
}
