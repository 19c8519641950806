// The butterfly stages with h >= 4 four at a time in 256-bit vectors, for
// processors with AVX2 (FourierKernels.cpp chooses them at run time). This
// file alone is compiled for AVX2; it includes nothing but the intrinsics
// and declarations, so that no inline function of a shared header is built
// here with instructions another processor lacks.
#include <immintrin.h>

#include "onedim/processing/FourierKernels.h"

namespace {

// The twiddle products of four points b0 .. b3 held as (re0, im0, ... re3,
// im3), lane by lane as the scalar butterfly computes them: (wr re - wi im,
// wr im + wi re) in double, rounded to float, returned as (t0 .. t3).
inline __m256 TwiddleProduct4(__m256 b, __m256d wr, __m256d wi) {
  const __m256 split = _mm256_permutevar8x32_ps(b, _mm256_setr_epi32(0, 2, 4, 6, 1, 3, 5, 7));
  const __m256d re = _mm256_cvtps_pd(_mm256_castps256_ps128(split));
  const __m256d im = _mm256_cvtps_pd(_mm256_extractf128_ps(split, 1));
  const __m256d tr = _mm256_sub_pd(_mm256_mul_pd(wr, re), _mm256_mul_pd(wi, im));
  const __m256d ti = _mm256_add_pd(_mm256_mul_pd(wr, im), _mm256_mul_pd(wi, re));
  const __m128 trf = _mm256_cvtpd_ps(tr), tif = _mm256_cvtpd_ps(ti);
  return _mm256_set_m128(_mm_unpackhi_ps(trf, tif), _mm_unpacklo_ps(trf, tif));
}

inline void Butterfly4(__m256& a, __m256& b, __m256d wr, __m256d wi) {
  const __m256 t = TwiddleProduct4(b, wr, wi);
  b = _mm256_sub_ps(a, t);
  a = _mm256_add_ps(a, t);
}

inline __m256d Twiddles(const double* w, int k) {
  return _mm256_loadu_pd(w + k);
}

inline void Pair(float* d, int p, int h, __m256d wr, __m256d wi) {
  __m256 a = _mm256_loadu_ps(d + 2 * p), b = _mm256_loadu_ps(d + 2 * (p + h));
  Butterfly4(a, b, wr, wi);
  _mm256_storeu_ps(d + 2 * p, a);
  _mm256_storeu_ps(d + 2 * (p + h), b);
}

inline void Quad(float* d, int p, int c, int h, const double* wr, const double* wi) {
  float* p0 = d + 2 * p;
  float* p1 = p0 + 2 * h;
  float* p2 = p1 + 2 * h;
  float* p3 = p2 + 2 * h;
  __m256 v0 = _mm256_loadu_ps(p0), v1 = _mm256_loadu_ps(p1), v2 = _mm256_loadu_ps(p2), v3 = _mm256_loadu_ps(p3);
  const __m256d w1r = Twiddles(wr, h + c), w1i = Twiddles(wi, h + c);
  Butterfly4(v0, v1, w1r, w1i);
  Butterfly4(v2, v3, w1r, w1i);
  Butterfly4(v0, v2, Twiddles(wr, 2 * h + c), Twiddles(wi, 2 * h + c));
  Butterfly4(v1, v3, Twiddles(wr, 3 * h + c), Twiddles(wi, 3 * h + c));
  _mm256_storeu_ps(p0, v0);
  _mm256_storeu_ps(p1, v1);
  _mm256_storeu_ps(p2, v2);
  _mm256_storeu_ps(p3, v3);
}

}  // namespace

void RunStageAvx2(float* d, int lo, int hi, int h, const double* wr, const double* wi) {
  if (h < 16) {
    for (int c = 0; c < h; c += 4) {
      const __m256d vr = Twiddles(wr, h + c), vi = Twiddles(wi, h + c);
      for (int g = lo + c; g < hi; g += 2 * h)
        Pair(d, g, h, vr, vi);
    }
    return;
  }
  for (int g = lo; g < hi; g += 2 * h)
    for (int c = 0; c < h; c += 4)
      Pair(d, g + c, h, Twiddles(wr, h + c), Twiddles(wi, h + c));
}

void RunTwoStagesAvx2(float* d, int lo, int hi, int h, const double* wr, const double* wi) {
  if (h < 16) {
    for (int c = 0; c < h; c += 4)
      for (int g = lo + c; g < hi; g += 4 * h)
        Quad(d, g, c, h, wr, wi);
    return;
  }
  for (int g = lo; g < hi; g += 4 * h)
    for (int c = 0; c < h; c += 4)
      Quad(d, g + c, c, h, wr, wi);
}
