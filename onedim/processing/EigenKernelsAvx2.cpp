// The eigensolver's loops four doubles at a time, for processors with AVX2
// (EigenKernels.cpp chooses them at run time). This file alone is compiled
// for AVX2; it includes nothing but the intrinsics and declarations, so that
// no inline function of a shared header is built here with instructions
// another processor lacks.
#include <immintrin.h>

#include "onedim/processing/EigenKernels.h"

void SubtractRankTwoAvx2(double* y, const double* e, const double* u, double f, double g, int n) {
  const __m256d vf = _mm256_set1_pd(f), vg = _mm256_set1_pd(g);
  int k = 0;
  for (; k + 4 <= n; k += 4) {
    const __m256d t = _mm256_add_pd(_mm256_mul_pd(vf, _mm256_loadu_pd(e + k)), _mm256_mul_pd(vg, _mm256_loadu_pd(u + k)));
    _mm256_storeu_pd(y + k, _mm256_sub_pd(_mm256_loadu_pd(y + k), t));
  }
  for (; k < n; ++k)
    y[k] -= f * e[k] + g * u[k];
}

void AddMultipleAvx2(double* y, const double* x, double a, int n) {
  const __m256d va = _mm256_set1_pd(a);
  int k = 0;
  for (; k + 4 <= n; k += 4)
    _mm256_storeu_pd(y + k, _mm256_add_pd(_mm256_loadu_pd(y + k), _mm256_mul_pd(_mm256_loadu_pd(x + k), va)));
  for (; k < n; ++k)
    y[k] += x[k] * a;
}

void RotatePairAvx2(double* x, double* y, double s, double c, int n) {
  const __m256d vs = _mm256_set1_pd(s), vc = _mm256_set1_pd(c);
  int k = 0;
  for (; k + 4 <= n; k += 4) {
    const __m256d vx = _mm256_loadu_pd(x + k), vy = _mm256_loadu_pd(y + k);
    _mm256_storeu_pd(y + k, _mm256_add_pd(_mm256_mul_pd(vs, vx), _mm256_mul_pd(vc, vy)));
    _mm256_storeu_pd(x + k, _mm256_sub_pd(_mm256_mul_pd(vc, vx), _mm256_mul_pd(vs, vy)));
  }
  for (; k < n; ++k) {
    const double f = y[k];
    y[k] = s * x[k] + c * f;
    x[k] = c * x[k] - s * f;
  }
}

void DotBlock4x4Avx2(const double* const v[4], const double* w, size_t ldw, int p, double acc[4][4]) {
  __m256d a0 = _mm256_setzero_pd(), a1 = _mm256_setzero_pd(), a2 = _mm256_setzero_pd(), a3 = _mm256_setzero_pd();
  const double *v0 = v[0], *v1 = v[1], *v2 = v[2], *v3 = v[3];
  for (int r = 0; r < p; ++r, w += ldw) {
    const __m256d wr = _mm256_loadu_pd(w);
    a0 = _mm256_add_pd(a0, _mm256_mul_pd(_mm256_set1_pd(v0[r]), wr));
    a1 = _mm256_add_pd(a1, _mm256_mul_pd(_mm256_set1_pd(v1[r]), wr));
    a2 = _mm256_add_pd(a2, _mm256_mul_pd(_mm256_set1_pd(v2[r]), wr));
    a3 = _mm256_add_pd(a3, _mm256_mul_pd(_mm256_set1_pd(v3[r]), wr));
  }
  _mm256_storeu_pd(acc[0], a0);
  _mm256_storeu_pd(acc[1], a1);
  _mm256_storeu_pd(acc[2], a2);
  _mm256_storeu_pd(acc[3], a3);
}
