#include "ndim/processing/NdFourier.h"

#include <emmintrin.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "ndim/processing/NdFourierKernels.h"
#include "numerics/Constants.h"
#include "numerics/VectorUnit.h"

namespace {

// Positions of the dimension lie `step` floats apart; each holds `width`
// floats (a run of interleaved columns) that are transformed together.

// The pairs of positions i < bit-reverse(i) of n, in order.
void BitReversePairs(int n, std::vector<int>& pairs) {
  pairs.clear();
  int j = 0;
  for (int i = 0; i < n; ++i) {
    if (i < j) {
      pairs.push_back(i);
      pairs.push_back(j);
    }
    int bit = n >> 1;
    while (bit > 0 && (j & bit)) {
      j ^= bit;
      bit >>= 1;
    }
    j |= bit;
  }
}

// Exchanges positions so that position i holds what stood at bit-reverse(i);
// whole complex floats move, as 8-byte words.
void BitReverse(float* v, const std::vector<int>& pairs, std::size_t width, std::size_t step) {
  for (std::size_t p = 0; p < pairs.size(); p += 2) {
    float* a = v + pairs[p] * step;
    float* b = v + pairs[p + 1] * step;
    for (std::size_t c = 0; c < width; c += 2) {
      uint64_t x, y;
      std::memcpy(&x, a + c, 8);
      std::memcpy(&y, b + c, 8);
      std::memcpy(a + c, &y, 8);
      std::memcpy(b + c, &x, 8);
    }
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
void Radix4(float* v, int n, std::size_t width, std::size_t step, int d) {
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

// The twiddles of every radix-2 stage (half-span h = 4, 8, ... below n),
// stage after stage, h each: the recurrence of the stage, run once for all
// the blocks and columns instead of once a group.
void StageTwiddles(int n, int d, const double* trig, std::vector<double>& wr, std::vector<double>& wi) {
  wr.clear();
  wi.clear();
  double s = d;  // sin(d pi / 2), then halved angles: s_k = s_(k-1) / (2 cos_k)
  int k = 0;
  for (long long h = 4; h < n; h *= 2, ++k) {
    const double c = trig[k];
    s = s / (2.0 * c);
    double r = 1.0, i = 0.0;
    for (long long j = 0; j < h; ++j) {
      wr.push_back(r);
      wi.push_back(i);
      const double t = r * c - i * s;
      i = r * s + i * c;
      r = t;
    }
  }
}

// One run of columns whose positions lie `step` floats apart. Every
// butterfly is the one of the stage's recurrence, with its twiddle from the
// table; a stage's butterflies are independent, so they go group by group.
void TransformRun(float* v, int n, std::size_t width, std::size_t step, int d, const std::vector<int>& pairs,
                  const double* wr, const double* wi) {
  BitReverse(v, pairs, width, step);
  if (n == 2) {
    Butterfly(v, v + step, width, 1.0, 0.0);
    return;
  }
  Radix4(v, n, width, step, d);
  for (long long h = 4; h < n; h *= 2) {
    const std::size_t span = static_cast<std::size_t>(h) * step;
    for (long long g = 0; g < n; g += 2 * h) {
      float* a = v + static_cast<std::size_t>(g) * step;
      for (long long j = 0; j < h; ++j, a += step)
        Butterfly(a, a + span, width, wr[j], wi[j]);
    }
    wr += h;
    wi += h;
  }
}

// Columns a run on the SSE2 road.
const std::size_t kRunFloats = 2 * 32;

// The AVX2 road: the positions of up to 16 columns (or of one row) copied
// into split form in bit-reversed order, transformed there and copied back.
class CSplitRuns {
 public:
  CSplitRuns(int n, int d, const double* wr, const double* wi)
      : m_n(n), m_d(d), m_wr(wr), m_wi(wi), m_reverse(n), m_parts(32 * (std::size_t)n + kApart) {
    int j = 0;
    for (int i = 0; i < n; ++i) {
      m_reverse[i] = j;
      int bit = n >> 1;
      while (bit > 0 && (j & bit)) {
        j ^= bit;
        bit >>= 1;
      }
      j |= bit;
    }
  }

  // `columns` complex columns (1, or a multiple of 4 up to 16) whose
  // positions lie step floats apart.
  void Transform(float* v, std::size_t columns, std::size_t step) {
    if (columns == 1)
      Run<1>(v, step);
    else if (columns == 4)
      Run<4>(v, step);
    else
      Run<16>(v, step);
  }

 private:
  template <std::size_t kColumns>
  void Run(float* v, std::size_t step) {
    float* re = m_parts.data();
    float* im = re + 16 * (std::size_t)m_n + kApart;
    for (int i = 0; i < m_n; ++i) {
      const float* from = v + m_reverse[i] * step;
      for (std::size_t c = 0; c < kColumns; ++c) {
        re[i * kColumns + c] = from[2 * c];
        im[i * kColumns + c] = from[2 * c + 1];
      }
    }
    NdSplitStagesAvx2(re, im, m_n, kColumns, m_d, m_wr, m_wi);
    for (int i = 0; i < m_n; ++i) {
      float* to = v + i * step;
      for (std::size_t c = 0; c < kColumns; ++c) {
        to[2 * c] = re[i * kColumns + c];
        to[2 * c + 1] = im[i * kColumns + c];
      }
    }
  }

  const int m_n, m_d;
  const double *m_wr, *m_wi;
  // The imaginary parts start 160 bytes past a multiple of 4 KB from the
  // real ones, so that a store of one does not hold up a load of the other
  // at the same place of a page.
  static const std::size_t kApart = 40;
  std::vector<int> m_reverse;
  std::vector<float> m_parts;
};

}  // namespace

bool NdIsPowerOfTwo(long long n) {
  return n > 0 && (n & (n - 1)) == 0;
}

void NdBuildTrigTable(double* table) {
  double x = 0.0;
  for (int i = 0; i < kNdTrigEntries; ++i) {
    x = std::sqrt(x + 2.0);
    table[i] = x / 2.0;
  }
}

void NdFft(float* data, int inner, int n, int outer, int direction, const double* trig) {
  if (!data || n < 2 || inner < 1 || outer < 1 || !NdIsPowerOfTwo(n))
    return;
  const int d = direction < 0 ? -1 : 1;
  const std::size_t step = 2 * static_cast<std::size_t>(outer);
  const std::size_t block = step * n;
  std::vector<double> wr, wi;
  StageTwiddles(n, d, trig, wr, wi);
  std::vector<int> pairs;
  BitReversePairs(n, pairs);
  if (ActiveVectorUnit() == VectorUnit::kAvx2 && n >= 16) {
    CSplitRuns runs(n, d, wr.data(), wi.data());
    const std::size_t columns = static_cast<std::size_t>(outer);
    for (int b = 0; b < inner; ++b) {
      std::size_t c = 0;
      for (; c + 16 <= columns || (columns == 1 && c == 0); c += 16)
        runs.Transform(data + b * block + 2 * c, std::min<std::size_t>(16, columns), step);
      for (; c + 4 <= columns; c += 4)
        runs.Transform(data + b * block + 2 * c, 4, step);
      for (; c < columns; c += kRunFloats / 2)
        TransformRun(data + b * block + 2 * c, n, std::min(kRunFloats, 2 * (columns - c)), step, d, pairs, wr.data(),
                     wi.data());
    }
    return;
  }
  // Without AVX2, wide blocks go a few columns at a time, so that the
  // columns being transformed stay in the cache through all the stages.
  for (int b = 0; b < inner; ++b)
    for (std::size_t c = 0; c < step; c += kRunFloats)
      TransformRun(data + b * block + c, n, std::min(kRunFloats, step - c), step, d, pairs, wr.data(), wi.data());
}

void NdRealSplit(float* data, int inner, int n, int outer, int direction) {
  if (!data || n < 1 || inner < 1 || outer < 1)
    return;
  const int d = direction < 0 ? -1 : 1;
  const std::size_t col = 2 * static_cast<std::size_t>(outer);
  const std::size_t block = col * n;
  const double t = d * kPi / n;
  const double ct = std::cos(t), st = std::sin(t);
  for (int b = 0; b < inner; ++b) {
    float* v = data + b * block;
    double wr = 0.5 * d * ct, wi = 0.5 * d * st;
    for (long long k = 1; k < n - k; ++k) {
      float* xk = v + static_cast<std::size_t>(k) * col;
      float* xm = v + static_cast<std::size_t>(n - k) * col;
      for (std::size_t c = 0; c < col; c += 2) {
        const double ar = xk[c], ai = xk[c + 1], br = xm[c], bi = xm[c + 1];
        const double h1r = (ar + br) / 2, h1i = (ai - bi) / 2;
        // h2 = -i (x_k - conj x_(n-k))
        const double h2r = ai + bi, h2i = -(ar - br);
        const double tr = wr * h2r - wi * h2i, ti = wr * h2i + wi * h2r;
        xk[c] = static_cast<float>(h1r + tr);
        xk[c + 1] = static_cast<float>(h1i + ti);
        xm[c] = static_cast<float>(h1r - tr);
        xm[c + 1] = static_cast<float>(-(h1i - ti));
      }
      const double u = wr * ct - wi * st;
      wi = wr * st + wi * ct;
      wr = u;
    }
    for (std::size_t c = 0; c < col; c += 2) {
      const double sum = static_cast<double>(v[c]) + v[c + 1];
      v[c] = static_cast<float>(d > 0 ? sum : sum / 2);
      v[c + 1] = 0.0f;
    }
  }
}
