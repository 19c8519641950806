#include "onedim/processing/FourierKernels.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "numerics/VectorUnit.h"
#include "onedim/processing/FourierTables.h"

namespace {

int Log2(int n) {
  int bits = 0;
  while ((1 << bits) < n)
    ++bits;
  return bits;
}

int ReverseBits(int v, int width) {
  int r = 0;
  for (int b = 0; b < width; ++b)
    r |= ((v >> b) & 1) << (width - 1 - b);
  return r;
}

void SwapPoints(float* a, float* b) {
  uint64_t x, y;
  std::memcpy(&x, a, 8);
  std::memcpy(&y, b, 8);
  std::memcpy(a, &y, 8);
  std::memcpy(b, &x, 8);
}

inline void Butterfly(float* a, float* b, double wr, double wi) {
  const float tempr = static_cast<float>(wr * b[0] - wi * b[1]);
  const float tempi = static_cast<float>(wr * b[1] + wi * b[0]);
  b[0] = a[0] - tempr;
  b[1] = a[1] - tempi;
  a[0] += tempr;
  a[1] += tempi;
}

#if defined(__SSE2__)
// The twiddle products of two points b0, b1 held as (re0, im0, re1, im1),
// lane by lane as Butterfly computes them: (wr re - wi im, wr im + wi re)
// in double, rounded to float, returned as (t0, t1).
inline __m128 TwiddleProduct(__m128 b, __m128d wr, __m128d wi) {
  const __m128 split = _mm_shuffle_ps(b, b, _MM_SHUFFLE(3, 1, 2, 0));  // re0 re1 im0 im1
  const __m128d re = _mm_cvtps_pd(split);
  const __m128d im = _mm_cvtps_pd(_mm_movehl_ps(split, split));
  const __m128d tr = _mm_sub_pd(_mm_mul_pd(wr, re), _mm_mul_pd(wi, im));
  const __m128d ti = _mm_add_pd(_mm_mul_pd(wr, im), _mm_mul_pd(wi, re));
  return _mm_unpacklo_ps(_mm_cvtpd_ps(tr), _mm_cvtpd_ps(ti));
}

// a, b <- a + t, a - t for the two point pairs in a and b.
inline void Butterfly2(__m128& a, __m128& b, __m128d wr, __m128d wi) {
  const __m128 t = TwiddleProduct(b, wr, wi);
  b = _mm_sub_ps(a, t);
  a = _mm_add_ps(a, t);
}

inline __m128d Twiddles(const double* w, int k) {
  return _mm_loadu_pd(w + k);
}

// The first stage (h = 1) over groups of four points p0 p1 p2 p3, whose
// butterflies (p0 p1) and (p2 p3) share one twiddle, and with bSecond the
// second stage (h = 2) too.
void FirstStages(float* d, int lo, int hi, const double* wr, const double* wi, bool bSecond) {
  const __m128d w1r = _mm_set1_pd(wr[1]), w1i = _mm_set1_pd(wi[1]);
  const __m128d w2r = bSecond ? Twiddles(wr, 2) : w1r, w2i = bSecond ? Twiddles(wi, 2) : w1i;
  for (int g = lo; g < hi; g += 4) {
    float* p = d + 2 * g;
    const __m128 v0 = _mm_loadu_ps(p), v1 = _mm_loadu_ps(p + 4);
    __m128 a = _mm_movelh_ps(v0, v1);                            // p0 p2
    __m128 b = _mm_shuffle_ps(v0, v1, _MM_SHUFFLE(3, 2, 3, 2));  // p1 p3
    Butterfly2(a, b, w1r, w1i);
    __m128 lower = _mm_movelh_ps(a, b);  // p0 p1
    __m128 upper = _mm_movehl_ps(b, a);  // p2 p3
    if (bSecond)
      Butterfly2(lower, upper, w2r, w2i);
    _mm_storeu_ps(p, lower);
    _mm_storeu_ps(p + 4, upper);
  }
}

// One stage with h >= 2: neighbouring butterflies share the vector unit.
void VectorStage(float* d, int lo, int hi, int h, const double* wr, const double* wi) {
  auto pair = [d, h](int p, __m128d vr, __m128d vi) {
    __m128 a = _mm_loadu_ps(d + 2 * p), b = _mm_loadu_ps(d + 2 * (p + h));
    Butterfly2(a, b, vr, vi);
    _mm_storeu_ps(d + 2 * p, a);
    _mm_storeu_ps(d + 2 * (p + h), b);
  };
  if (h < 8) {
    // Few twiddles: each pair of them over all groups.
    for (int c = 0; c < h; c += 2) {
      const __m128d vr = Twiddles(wr, h + c), vi = Twiddles(wi, h + c);
      for (int g = lo + c; g < hi; g += 2 * h)
        pair(g, vr, vi);
    }
    return;
  }
  for (int g = lo; g < hi; g += 2 * h)
    for (int c = 0; c < h; c += 2)
      pair(g + c, Twiddles(wr, h + c), Twiddles(wi, h + c));
}

// The stages h and 2h (h >= 2) in one pass over groups of 4h points: the
// four points of two butterflies of each stage are loaded and stored once.
void TwoVectorStages(float* d, int lo, int hi, int h, const double* wr, const double* wi) {
  auto quad = [d, h, wr, wi](int p, int c) {
    float* p0 = d + 2 * p;
    float* p1 = p0 + 2 * h;
    float* p2 = p1 + 2 * h;
    float* p3 = p2 + 2 * h;
    __m128 v0 = _mm_loadu_ps(p0), v1 = _mm_loadu_ps(p1), v2 = _mm_loadu_ps(p2), v3 = _mm_loadu_ps(p3);
    const __m128d w1r = Twiddles(wr, h + c), w1i = Twiddles(wi, h + c);
    Butterfly2(v0, v1, w1r, w1i);
    Butterfly2(v2, v3, w1r, w1i);
    Butterfly2(v0, v2, Twiddles(wr, 2 * h + c), Twiddles(wi, 2 * h + c));
    Butterfly2(v1, v3, Twiddles(wr, 3 * h + c), Twiddles(wi, 3 * h + c));
    _mm_storeu_ps(p0, v0);
    _mm_storeu_ps(p1, v1);
    _mm_storeu_ps(p2, v2);
    _mm_storeu_ps(p3, v3);
  };
  if (h < 8) {
    for (int c = 0; c < h; c += 2)
      for (int g = lo + c; g < hi; g += 4 * h)
        quad(g, c);
    return;
  }
  for (int g = lo; g < hi; g += 4 * h)
    for (int c = 0; c < h; c += 2)
      quad(g + c, c);
}
#endif

}  // namespace

// The bit-reversal permutation, tile by tile. With the index's bits split
// as (top t, middle, low t), i = (a, m, c) trades places with
// (rev c, rev m, rev a): all points of tile m (t-bit a and c free) go to
// tile rev m, and each tile touches 2^t runs of 2^t neighbouring points on
// either side, so that a cache line is fetched once rather than once per
// point. Each point moves at most once: the order of the swaps does not
// matter.
void BitReverse(float* d, int n) {
  const int bits = Log2(n);
  const int t = std::min(3, bits / 2);
  const int midBits = bits - 2 * t, shiftA = bits - t;
  int revT[8];
  for (int v = 0; v < (1 << t); ++v)
    revT[v] = ReverseBits(v, t);
  for (int m = 0; m < (1 << midBits); ++m) {
    const int rm = ReverseBits(m, midBits);
    if (rm < m)
      continue;  // done as tile rm
    const int mid = m << t, rmid = rm << t;
    for (int a = 0; a < (1 << t); ++a)
      for (int c = 0; c < (1 << t); ++c) {
        const int i = (a << shiftA) | mid | c;
        const int j = (revT[c] << shiftA) | rmid | revT[a];
        if (rm != m || j > i)
          SwapPoints(d + 2 * i, d + 2 * j);
      }
  }
}

void RunStage(float* d, int lo, int hi, int h, const double* wr, const double* wi) {
#if defined(__SSE2__)
  if (ActiveVectorUnit() == VectorUnit::kAvx2 && h >= 4) {
    RunStageAvx2(d, lo, hi, h, wr, wi);
    return;
  }
  if (ActiveVectorUnit() != VectorUnit::kScalar) {
    if (h == 1 && hi - lo >= 4) {
      FirstStages(d, lo, hi, wr, wi, false);
      return;
    }
    if (h >= 2) {
      VectorStage(d, lo, hi, h, wr, wi);
      return;
    }
  }
#endif
  for (int g = lo; g < hi; g += 2 * h)
    for (int c = 0; c < h; ++c)
      Butterfly(d + 2 * (g + c), d + 2 * (g + c + h), wr[h + c], wi[h + c]);
}

void RunStages(float* d, int lo, int hi, int hFrom, int hTo, const double* wr, const double* wi) {
  int h = hFrom;
#if defined(__SSE2__)
  if (ActiveVectorUnit() != VectorUnit::kScalar) {
    if (h == 1 && hTo >= 4 && hi - lo >= 4) {
      FirstStages(d, lo, hi, wr, wi, true);
      h = 4;
    }
    for (; h >= 2 && 2 * h < hTo; h *= 4) {
      if (ActiveVectorUnit() == VectorUnit::kAvx2 && h >= 4)
        RunTwoStagesAvx2(d, lo, hi, h, wr, wi);
      else
        TwoVectorStages(d, lo, hi, h, wr, wi);
    }
  }
#endif
  for (; h < hTo; h *= 2)
    RunStage(d, lo, hi, h, wr, wi);
}

void RunStageByRecurrence(float* d, int n, int h, int isign) {
  const int kChunk = 32;
  double wr[kChunk], wi[kChunk];
  CTwiddleRecurrence w = CTwiddleRecurrence::Stage(h, isign);
  for (int c0 = 0; c0 < h; c0 += kChunk) {
    const int count = std::min(kChunk, h - c0);
    for (int c = 0; c < count; ++c, w.Advance()) {
      wr[c] = w.wr;
      wi[c] = w.wi;
    }
    for (int g = 0; g < n; g += 2 * h)
      for (int c = 0; c < count; ++c)
        Butterfly(d + 2 * (g + c0 + c), d + 2 * (g + c0 + c + h), wr[c], wi[c]);
  }
}

void SplitPair(float* d, int n, int p, double c1, double c2, double wr, double wi) {
  float* a = d + 2 * p;
  float* b = d + n - 2 * p;
  const double h1r = c1 * (a[0] + b[0]);
  const double h1i = c1 * (a[1] - b[1]);
  const double h2r = -c2 * (a[1] + b[1]);
  const double h2i = c2 * (a[0] - b[0]);
  a[0] = static_cast<float>(h1r + wr * h2r - wi * h2i);
  a[1] = static_cast<float>(h1i + wr * h2i + wi * h2r);
  b[0] = static_cast<float>(h1r - wr * h2r + wi * h2i);
  b[1] = static_cast<float>(-h1i + wr * h2i + wi * h2r);
}

void SplitPairs(float* d, int n, double c1, double c2, const double* wr, const double* wi) {
  int p = 1;
#if defined(__SSE2__)
  if (ActiveVectorUnit() != VectorUnit::kScalar) {
    // Points p, p + 1 and their partners n/2 - p, n/2 - p - 1, lane by lane
    // as SplitPair computes them: the sums and differences of the floats in
    // float, the rest in double.
    const __m128d vc1 = _mm_set1_pd(c1), vc2 = _mm_set1_pd(c2), vmc2 = _mm_set1_pd(-c2);
    const __m128d sign = _mm_set1_pd(-0.0);
    for (; p + 1 < n / 4; p += 2) {
      float* pa = d + 2 * p;
      float* pb = d + n - 2 * p - 2;
      const __m128 va = _mm_loadu_ps(pa), vb = _mm_loadu_ps(pb);
      const __m128 A = _mm_shuffle_ps(va, va, _MM_SHUFFLE(3, 1, 2, 0));  // ar ar' ai ai'
      const __m128 B = _mm_shuffle_ps(vb, vb, _MM_SHUFFLE(1, 3, 0, 2));  // br br' bi bi'
      const __m128 sum = _mm_add_ps(A, B), diff = _mm_sub_ps(A, B);
      const __m128d h1r = _mm_mul_pd(vc1, _mm_cvtps_pd(sum));
      const __m128d h1i = _mm_mul_pd(vc1, _mm_cvtps_pd(_mm_movehl_ps(diff, diff)));
      const __m128d h2r = _mm_mul_pd(vmc2, _mm_cvtps_pd(_mm_movehl_ps(sum, sum)));
      const __m128d h2i = _mm_mul_pd(vc2, _mm_cvtps_pd(diff));
      const __m128d vr = _mm_loadu_pd(wr + p), vi = _mm_loadu_pd(wi + p);
      const __m128d rh2r = _mm_mul_pd(vr, h2r), rh2i = _mm_mul_pd(vr, h2i);
      const __m128d ih2r = _mm_mul_pd(vi, h2r), ih2i = _mm_mul_pd(vi, h2i);
      const __m128d ar = _mm_sub_pd(_mm_add_pd(h1r, rh2r), ih2i);
      const __m128d ai = _mm_add_pd(_mm_add_pd(h1i, rh2i), ih2r);
      const __m128d br = _mm_add_pd(_mm_sub_pd(h1r, rh2r), ih2i);
      const __m128d bi = _mm_add_pd(_mm_add_pd(_mm_xor_pd(h1i, sign), rh2i), ih2r);  // -h1i: the sign bit
      _mm_storeu_ps(pa, _mm_unpacklo_ps(_mm_cvtpd_ps(ar), _mm_cvtpd_ps(ai)));
      const __m128 outB = _mm_unpacklo_ps(_mm_cvtpd_ps(br), _mm_cvtpd_ps(bi));  // point p's, then p + 1's
      _mm_storeu_ps(pb, _mm_shuffle_ps(outB, outB, _MM_SHUFFLE(1, 0, 3, 2)));
    }
  }
#endif
  for (; p < n / 4; ++p)
    SplitPair(d, n, p, c1, c2, wr[p], wi[p]);
}
