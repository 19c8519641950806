// The 2D transform's butterflies four at a time in 256-bit vectors, over
// positions held in split form (real parts apart from imaginary parts), so
// that four values load and store without shuffles. This file alone is
// compiled for AVX2; it includes nothing but the intrinsics and its
// declarations, so that no inline function of a shared header is built here
// with instructions another processor lacks.
#include <immintrin.h>

#include "ndim/processing/NdFourierKernels.h"

namespace {

inline __m256d Load(const float* p) {
  return _mm256_cvtps_pd(_mm_loadu_ps(p));
}

inline void Store(float* p, __m256d v) {
  _mm_storeu_ps(p, _mm256_cvtpd_ps(v));
}

// Four butterflies lane by lane: t = (wr br + (-wi) bi, wr bi + wi br),
// a' = a + t, b' = a - t.
inline void Butterfly4(float* ar, float* ai, float* br, float* bi, __m256d wr, __m256d wi) {
  const __m256d nwi = _mm256_xor_pd(wi, _mm256_set1_pd(-0.0));
  const __m256d xr = Load(ar), xi = Load(ai), yr = Load(br), yi = Load(bi);
  const __m256d tr = _mm256_add_pd(_mm256_mul_pd(wr, yr), _mm256_mul_pd(nwi, yi));
  const __m256d ti = _mm256_add_pd(_mm256_mul_pd(wr, yi), _mm256_mul_pd(wi, yr));
  Store(ar, _mm256_add_pd(xr, tr));
  Store(ai, _mm256_add_pd(xi, ti));
  Store(br, _mm256_sub_pd(xr, tr));
  Store(bi, _mm256_sub_pd(xi, ti));
}

// Radix-4 butterflies of four groups (x0 .. x3 of each, real or imaginary
// parts in double): y0 = a + s, y2 = a - s, y1 = b + t, y3 = b - t with
// a = x0 + x1, b = x0 - x1, s = x2 + x3, e = x2 - x3, t = d i e.
struct Quad {
  __m256d r[4], i[4];
};
inline void Radix4(Quad& q, int d) {
  const __m256d minus = _mm256_set1_pd(-d), plus = _mm256_set1_pd(d);
  const __m256d ar = _mm256_add_pd(q.r[0], q.r[1]), ai = _mm256_add_pd(q.i[0], q.i[1]);
  const __m256d br = _mm256_sub_pd(q.r[0], q.r[1]), bi = _mm256_sub_pd(q.i[0], q.i[1]);
  const __m256d sr = _mm256_add_pd(q.r[2], q.r[3]), si = _mm256_add_pd(q.i[2], q.i[3]);
  const __m256d er = _mm256_sub_pd(q.r[2], q.r[3]), ei = _mm256_sub_pd(q.i[2], q.i[3]);
  const __m256d tr = _mm256_mul_pd(minus, ei), ti = _mm256_mul_pd(plus, er);
  q.r[0] = _mm256_add_pd(ar, sr);
  q.i[0] = _mm256_add_pd(ai, si);
  q.r[2] = _mm256_sub_pd(ar, sr);
  q.i[2] = _mm256_sub_pd(ai, si);
  q.r[1] = _mm256_add_pd(br, tr);
  q.i[1] = _mm256_add_pd(bi, ti);
  q.r[3] = _mm256_sub_pd(br, tr);
  q.i[3] = _mm256_sub_pd(bi, ti);
}

// The first two stages of a row: four groups of four positions at a time,
// turned so that a vector holds one position of four groups.
void RowRadix4(float* re, float* im, int n, int d) {
  for (int g = 0; g < n; g += 16) {
    __m128 r0 = _mm_loadu_ps(re + g), r1 = _mm_loadu_ps(re + g + 4), r2 = _mm_loadu_ps(re + g + 8),
           r3 = _mm_loadu_ps(re + g + 12);
    __m128 i0 = _mm_loadu_ps(im + g), i1 = _mm_loadu_ps(im + g + 4), i2 = _mm_loadu_ps(im + g + 8),
           i3 = _mm_loadu_ps(im + g + 12);
    _MM_TRANSPOSE4_PS(r0, r1, r2, r3);
    _MM_TRANSPOSE4_PS(i0, i1, i2, i3);
    Quad q = {{_mm256_cvtps_pd(r0), _mm256_cvtps_pd(r1), _mm256_cvtps_pd(r2), _mm256_cvtps_pd(r3)},
              {_mm256_cvtps_pd(i0), _mm256_cvtps_pd(i1), _mm256_cvtps_pd(i2), _mm256_cvtps_pd(i3)}};
    Radix4(q, d);
    r0 = _mm256_cvtpd_ps(q.r[0]);
    r1 = _mm256_cvtpd_ps(q.r[1]);
    r2 = _mm256_cvtpd_ps(q.r[2]);
    r3 = _mm256_cvtpd_ps(q.r[3]);
    i0 = _mm256_cvtpd_ps(q.i[0]);
    i1 = _mm256_cvtpd_ps(q.i[1]);
    i2 = _mm256_cvtpd_ps(q.i[2]);
    i3 = _mm256_cvtpd_ps(q.i[3]);
    _MM_TRANSPOSE4_PS(r0, r1, r2, r3);
    _MM_TRANSPOSE4_PS(i0, i1, i2, i3);
    _mm_storeu_ps(re + g, r0);
    _mm_storeu_ps(re + g + 4, r1);
    _mm_storeu_ps(re + g + 8, r2);
    _mm_storeu_ps(re + g + 12, r3);
    _mm_storeu_ps(im + g, i0);
    _mm_storeu_ps(im + g + 4, i1);
    _mm_storeu_ps(im + g + 8, i2);
    _mm_storeu_ps(im + g + 12, i3);
  }
}

// The first two stages of columns: four columns of a group at a time.
void ColumnRadix4(float* re, float* im, int n, std::size_t width, int d) {
  for (int g = 0; g < n; g += 4) {
    for (std::size_t c = 0; c < width; c += 4) {
      Quad q;
      for (int k = 0; k < 4; ++k) {
        q.r[k] = Load(re + (g + k) * width + c);
        q.i[k] = Load(im + (g + k) * width + c);
      }
      Radix4(q, d);
      for (int k = 0; k < 4; ++k) {
        Store(re + (g + k) * width + c, q.r[k]);
        Store(im + (g + k) * width + c, q.i[k]);
      }
    }
  }
}

}  // namespace

void NdSplitStagesAvx2(float* re, float* im, int n, std::size_t width, int d, const double* wr, const double* wi) {
  if (width == 1) {
    RowRadix4(re, im, n, d);
    for (long long h = 4; h < n; h *= 2) {
      for (long long g = 0; g < n; g += 2 * h)
        for (long long j = 0; j < h; j += 4) {
          const long long a = g + j, b = a + h;
          Butterfly4(re + a, im + a, re + b, im + b, _mm256_loadu_pd(wr + j), _mm256_loadu_pd(wi + j));
        }
      wr += h;
      wi += h;
    }
    return;
  }
  ColumnRadix4(re, im, n, width, d);
  for (long long h = 4; h < n; h *= 2) {
    const std::size_t span = static_cast<std::size_t>(h) * width;
    for (long long g = 0; g < n; g += 2 * h) {
      for (long long j = 0; j < h; ++j) {
        const __m256d vr = _mm256_set1_pd(wr[j]), vi = _mm256_set1_pd(wi[j]);
        const std::size_t a = static_cast<std::size_t>(g + j) * width;
        for (std::size_t c = 0; c < width; c += 4)
          Butterfly4(re + a + c, im + a + c, re + a + span + c, im + a + span + c, vr, vi);
      }
    }
    wr += h;
    wi += h;
  }
}
