#include "onedim/processing/EigenKernels.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "numerics/VectorUnit.h"

namespace {

bool Avx2() {
  return ActiveVectorUnit() == VectorUnit::kAvx2;
}

bool Sse2() {
  return ActiveVectorUnit() != VectorUnit::kScalar;
}

}  // namespace

void SubtractRankTwo(double* y, const double* e, const double* u, double f, double g, int n) {
  if (Avx2())
    return SubtractRankTwoAvx2(y, e, u, f, g, n);
  int k = 0;
#if defined(__SSE2__)
  if (Sse2()) {
    const __m128d vf = _mm_set1_pd(f), vg = _mm_set1_pd(g);
    for (; k + 2 <= n; k += 2) {
      const __m128d t = _mm_add_pd(_mm_mul_pd(vf, _mm_loadu_pd(e + k)), _mm_mul_pd(vg, _mm_loadu_pd(u + k)));
      _mm_storeu_pd(y + k, _mm_sub_pd(_mm_loadu_pd(y + k), t));
    }
  }
#endif
  for (; k < n; ++k)
    y[k] -= f * e[k] + g * u[k];
}

void AddMultiple(double* y, const double* x, double a, int n) {
  if (Avx2())
    return AddMultipleAvx2(y, x, a, n);
  int k = 0;
#if defined(__SSE2__)
  if (Sse2()) {
    const __m128d va = _mm_set1_pd(a);
    for (; k + 2 <= n; k += 2)
      _mm_storeu_pd(y + k, _mm_add_pd(_mm_loadu_pd(y + k), _mm_mul_pd(_mm_loadu_pd(x + k), va)));
  }
#endif
  for (; k < n; ++k)
    y[k] += x[k] * a;
}

void RotatePair(double* x, double* y, double s, double c, int n) {
  if (Avx2())
    return RotatePairAvx2(x, y, s, c, n);
  int k = 0;
#if defined(__SSE2__)
  if (Sse2()) {
    const __m128d vs = _mm_set1_pd(s), vc = _mm_set1_pd(c);
    for (; k + 2 <= n; k += 2) {
      const __m128d vx = _mm_loadu_pd(x + k), vy = _mm_loadu_pd(y + k);
      _mm_storeu_pd(y + k, _mm_add_pd(_mm_mul_pd(vs, vx), _mm_mul_pd(vc, vy)));
      _mm_storeu_pd(x + k, _mm_sub_pd(_mm_mul_pd(vc, vx), _mm_mul_pd(vs, vy)));
    }
  }
#endif
  for (; k < n; ++k) {
    const double f = y[k];
    y[k] = s * x[k] + c * f;
    x[k] = c * x[k] - s * f;
  }
}

void DotBlock4x4(const double* const v[4], const double* w, size_t ldw, int p, double acc[4][4]) {
  if (Avx2())
    return DotBlock4x4Avx2(v, w, ldw, p, acc);
#if defined(__SSE2__)
  if (Sse2()) {
    __m128d a[4][2];
    for (int t = 0; t < 4; ++t)
      a[t][0] = a[t][1] = _mm_setzero_pd();
    for (int r = 0; r < p; ++r, w += ldw) {
      const __m128d w01 = _mm_loadu_pd(w), w23 = _mm_loadu_pd(w + 2);
      for (int t = 0; t < 4; ++t) {
        const __m128d x = _mm_set1_pd(v[t][r]);
        a[t][0] = _mm_add_pd(a[t][0], _mm_mul_pd(x, w01));
        a[t][1] = _mm_add_pd(a[t][1], _mm_mul_pd(x, w23));
      }
    }
    for (int t = 0; t < 4; ++t) {
      _mm_storeu_pd(acc[t], a[t][0]);
      _mm_storeu_pd(acc[t] + 2, a[t][1]);
    }
    return;
  }
#endif
  for (int t = 0; t < 4; ++t)
    for (int u = 0; u < 4; ++u)
      acc[t][u] = 0.0;
  for (int r = 0; r < p; ++r, w += ldw)
    for (int t = 0; t < 4; ++t)
      for (int u = 0; u < 4; ++u)
        acc[t][u] += v[t][r] * w[u];
}
