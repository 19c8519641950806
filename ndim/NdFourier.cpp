#include "ndim/NdFourier.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

const double kPi = 3.14159265358979323846;

// Exchanges columns so that position i holds what stood at bit-reverse(i).
void BitReverse(float* v, int n, std::size_t col) {
  int j = 0;
  for (int i = 0; i < n; ++i) {
    if (i < j) std::swap_ranges(v + i * col, v + (i + 1) * col, v + j * col);
    int bit = n >> 1;
    while (bit > 0 && (j & bit)) {
      j ^= bit;
      bit >>= 1;
    }
    j |= bit;
  }
}

// The first two stages together on each group of four positions.
void Radix4(float* v, int n, int outer, int d) {
  const std::size_t col = 2 * static_cast<std::size_t>(outer);
  for (int g = 0; g < n; g += 4) {
    float* p0 = v + g * col;
    float* p1 = p0 + col;
    float* p2 = p1 + col;
    float* p3 = p2 + col;
    for (std::size_t c = 0; c < col; c += 2) {
      double ar = static_cast<double>(p0[c]) + p1[c], ai = static_cast<double>(p0[c + 1]) + p1[c + 1];
      double br = static_cast<double>(p0[c]) - p1[c], bi = static_cast<double>(p0[c + 1]) - p1[c + 1];
      double cr = static_cast<double>(p2[c]) + p3[c], ci = static_cast<double>(p2[c + 1]) + p3[c + 1];
      double er = static_cast<double>(p2[c]) - p3[c], ei = static_cast<double>(p2[c + 1]) - p3[c + 1];
      // d * i * e
      double tr = -d * ei, ti = d * er;
      p0[c] = static_cast<float>(ar + cr);
      p0[c + 1] = static_cast<float>(ai + ci);
      p2[c] = static_cast<float>(ar - cr);
      p2[c + 1] = static_cast<float>(ai - ci);
      p1[c] = static_cast<float>(br + tr);
      p1[c + 1] = static_cast<float>(bi + ti);
      p3[c] = static_cast<float>(br - tr);
      p3[c + 1] = static_cast<float>(bi - ti);
    }
  }
}

// a' = a + w b, b' = a - w b over one pair of columns.
inline void Butterfly(float* a, float* b, std::size_t col, double wr, double wi) {
  for (std::size_t c = 0; c < col; c += 2) {
    double tr = wr * b[c] - wi * b[c + 1];
    double ti = wr * b[c + 1] + wi * b[c];
    double ar = a[c], ai = a[c + 1];
    a[c] = static_cast<float>(ar + tr);
    a[c + 1] = static_cast<float>(ai + ti);
    b[c] = static_cast<float>(ar - tr);
    b[c + 1] = static_cast<float>(ai - ti);
  }
}

void TransformBlock(float* v, int n, int outer, int d, const double* trig) {
  const std::size_t col = 2 * static_cast<std::size_t>(outer);
  BitReverse(v, n, col);
  if (n == 2) {
    Butterfly(v, v + col, col, 1.0, 0.0);
    return;
  }
  Radix4(v, n, outer, d);
  // sin(d pi / 2), then halved angles: s_k = s_(k-1) / (2 cos_k)
  double s = d;
  int k = 0;
  for (long long h = 4; h < n; h *= 2, ++k) {
    const double c = trig[k];
    s = s / (2.0 * c);
    double wr = 1.0, wi = 0.0;
    const std::size_t span = static_cast<std::size_t>(h) * col;
    for (long long j = 0; j < h; ++j) {
      for (long long g = j; g < n; g += 2 * h) {
        float* a = v + static_cast<std::size_t>(g) * col;
        Butterfly(a, a + span, col, wr, wi);
      }
      const double t = wr * c - wi * s;
      wi = wr * s + wi * c;
      wr = t;
    }
  }
}

}  // namespace

bool NdIsPowerOfTwo(long long n) { return n > 0 && (n & (n - 1)) == 0; }

void NdBuildTrigTable(double* table) {
  double x = 0.0;
  for (int i = 0; i < kNdTrigEntries; ++i) {
    x = std::sqrt(x + 2.0);
    table[i] = x / 2.0;
  }
}

void NdFft(float* data, int inner, int n, int outer, int direction, const double* trig) {
  if (!data || n < 2 || inner < 1 || outer < 1 || !NdIsPowerOfTwo(n)) return;
  const int d = direction < 0 ? -1 : 1;
  const std::size_t block = 2 * static_cast<std::size_t>(outer) * n;
  for (int b = 0; b < inner; ++b) TransformBlock(data + b * block, n, outer, d, trig);
}

void NdRealSplit(float* data, int inner, int n, int outer, int direction) {
  if (!data || n < 1 || inner < 1 || outer < 1) return;
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
