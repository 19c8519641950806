// The 2D program's transform as it stood before its stages ran from a
// twiddle table over compact copies of the columns: every butterfly's
// twiddle by the recurrence as it goes, the columns transformed in place
// at the set's stride. Kept as the former implementation that the benchmark
// times and the identity tests compare against; the same operations, so the
// same roundings.
#pragma once

#include <emmintrin.h>

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace legacy_nd_fft {


// Positions of the dimension lie `step` floats apart; each holds `width`
// floats (a run of interleaved columns) that are transformed together.

// Exchanges positions so that position i holds what stood at bit-reverse(i).
inline void BitReverse(float* v, int n, std::size_t width, std::size_t step) {
  int j = 0;
  for (int i = 0; i < n; ++i) {
    if (i < j)
      std::swap_ranges(v + i * step, v + i * step + width, v + j * step);
    int bit = n >> 1;
    while (bit > 0 && (j & bit)) {
      j ^= bit;
      bit >>= 1;
    }
    j |= bit;
  }
}

// One complex float as a (re, im) pair of doubles, and back.
inline __m128d LoadPair(const float* p) {
  return _mm_cvtps_pd(_mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p))));
}
inline void StorePair(float* p, __m128d v) {
  _mm_storel_epi64(reinterpret_cast<__m128i*>(p), _mm_castps_si128(_mm_cvtpd_ps(v)));
}

// The first two stages together on each group of four positions.
inline void Radix4(float* v, int n, std::size_t width, std::size_t step, int d) {
  const __m128d turn = _mm_set_pd(d, -d);  // d i e = (-d ei, d er)
  for (int g = 0; g < n; g += 4) {
    float* p0 = v + g * step;
    float* p1 = p0 + step;
    float* p2 = p1 + step;
    float* p3 = p2 + step;
    for (std::size_t c = 0; c < width; c += 2) {
      const __m128d x0 = LoadPair(p0 + c), x1 = LoadPair(p1 + c);
      const __m128d x2 = LoadPair(p2 + c), x3 = LoadPair(p3 + c);
      const __m128d a = _mm_add_pd(x0, x1), b = _mm_sub_pd(x0, x1);
      const __m128d s = _mm_add_pd(x2, x3), e = _mm_sub_pd(x2, x3);
      const __m128d t = _mm_mul_pd(turn, _mm_shuffle_pd(e, e, 1));
      StorePair(p0 + c, _mm_add_pd(a, s));
      StorePair(p2 + c, _mm_sub_pd(a, s));
      StorePair(p1 + c, _mm_add_pd(b, t));
      StorePair(p3 + c, _mm_sub_pd(b, t));
    }
  }
}

// a' = a + w b, b' = a - w b over one run, in double precision: the same
// operations, in the same order, as (wr br - wi bi, wr bi + wi br).
inline void Butterfly(float* a, float* b, std::size_t width, double wr, double wi) {
  const __m128d real = _mm_set1_pd(wr);
  const __m128d imag = _mm_set_pd(wi, -wi);
  for (std::size_t c = 0; c < width; c += 2) {
    const __m128d bv = LoadPair(b + c);
    const __m128d swapped = _mm_shuffle_pd(bv, bv, 1);
    const __m128d t = _mm_add_pd(_mm_mul_pd(real, bv), _mm_mul_pd(imag, swapped));
    const __m128d av = LoadPair(a + c);
    StorePair(a + c, _mm_add_pd(av, t));
    StorePair(b + c, _mm_sub_pd(av, t));
  }
}

inline void TransformRun(float* v, int n, std::size_t width, std::size_t step, int d, const double* trig) {
  BitReverse(v, n, width, step);
  if (n == 2) {
    Butterfly(v, v + step, width, 1.0, 0.0);
    return;
  }
  Radix4(v, n, width, step, d);
  // sin(d pi / 2), then halved angles: s_k = s_(k-1) / (2 cos_k)
  double s = d;
  int k = 0;
  for (long long h = 4; h < n; h *= 2, ++k) {
    const double c = trig[k];
    s = s / (2.0 * c);
    double wr = 1.0, wi = 0.0;
    const std::size_t span = static_cast<std::size_t>(h) * step;
    for (long long j = 0; j < h; ++j) {
      for (long long g = j; g < n; g += 2 * h) {
        float* a = v + static_cast<std::size_t>(g) * step;
        Butterfly(a, a + span, width, wr, wi);
      }
      const double t = wr * c - wi * s;
      wi = wr * s + wi * c;
      wr = t;
    }
  }
}

inline void Fft(float* data, int inner, int n, int outer, int direction, const double* trig) {
  if (!data || n < 2 || inner < 1 || outer < 1 || (n & (n - 1)) != 0)
    return;
  const int d = direction < 0 ? -1 : 1;
  const std::size_t step = 2 * static_cast<std::size_t>(outer);
  const std::size_t block = step * n;
  // Wide blocks go a few columns at a time, so that the columns being
  // transformed stay in the cache through all the stages.
  const std::size_t chunk = 2 * 32;
  for (int b = 0; b < inner; ++b) {
    for (std::size_t c = 0; c < step; c += chunk)
      TransformRun(data + b * block + c, n, step - c < chunk ? step - c : chunk, step, d, trig);
  }
}

}  // namespace legacy_nd_fft
