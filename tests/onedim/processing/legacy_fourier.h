// The transform as it computed before its twiddle tables and vector
// kernels, kept as the reference that the engine's output must match bit for
// bit: bit reversal, then the butterfly stages with the twiddles advanced by
// the recurrence inside each stage, and the real split with its own
// recurrence. Same expressions, so the same roundings, as the engine had.
#pragma once

#include <algorithm>
#include <cmath>
#include <utility>

namespace legacy_fourier {

inline void ComplexTransform(float* pData, int isign, int n) {
  const double kButterflyTwoPi = 6.28318530717959;
  float* data = pData - 1;
  const int nn = 2 * n;
  int j = 1;
  for (int i = 1; i < nn; i += 2) {
    if (j > i) {
      std::swap(data[j], data[i]);
      std::swap(data[j + 1], data[i + 1]);
    }
    int m = n;
    while (m >= 2 && j > m) {
      j -= m;
      m >>= 1;
    }
    j += m;
  }
  const int kChunk = 32;
  double wrs[kChunk], wis[kChunk];
  int mmax = 2;
  while (nn > mmax) {
    const int step = mmax << 1;
    const double theta = isign * (kButterflyTwoPi / mmax);
    const double s = std::sin(0.5 * theta);
    const double wpr = -2.0 * s * s;
    const double wpi = std::sin(theta);
    double wr = 1.0, wi = 0.0;
    for (int m0 = 1; m0 < mmax; m0 += 2 * kChunk) {
      const int count = std::min(kChunk, (mmax - m0 + 1) / 2);
      for (int c = 0; c < count; ++c) {
        wrs[c] = wr;
        wis[c] = wi;
        const double wtemp = wr;
        wr = wr + (wr * wpr - wi * wpi);
        wi = wi + (wi * wpr + wtemp * wpi);
      }
      for (int base = m0; base <= nn; base += step) {
        for (int c = 0; c < count; ++c) {
          const int i = base + 2 * c;
          const int k = i + mmax;
          const float tempr = static_cast<float>(wrs[c] * data[k] - wis[c] * data[k + 1]);
          const float tempi = static_cast<float>(wrs[c] * data[k + 1] + wis[c] * data[k]);
          data[k] = data[i] - tempr;
          data[k + 1] = data[i + 1] - tempi;
          data[i] += tempr;
          data[i + 1] += tempi;
        }
      }
    }
    mmax = step;
  }
}

inline void RealTransform(float* pData, int isign, int n) {
  const double kPi = 3.141592653589793;
  float* d = pData - 1;
  double theta = kPi / static_cast<double>(n >> 1);
  const double c1 = 0.5;
  double c2;
  if (isign == 1) {
    c2 = -0.5;
    ComplexTransform(pData, 1, n >> 1);
  } else {
    c2 = 0.5;
    theta = -theta;
  }
  const double s = std::sin(0.5 * theta);
  const double wpr = -2.0 * s * s;
  const double wpi = std::sin(theta);
  double wr = 1.0 + wpr;
  double wi = wpi;
  const int np3 = n + 3;
  for (int i = 2; i <= (n >> 2); ++i) {
    const int i1 = i + i - 1;
    const int i2 = i1 + 1;
    const int i3 = np3 - i2;
    const int i4 = i3 + 1;
    const double h1r = c1 * (d[i1] + d[i3]);
    const double h1i = c1 * (d[i2] - d[i4]);
    const double h2r = -c2 * (d[i2] + d[i4]);
    const double h2i = c2 * (d[i1] - d[i3]);
    d[i1] = static_cast<float>(h1r + wr * h2r - wi * h2i);
    d[i2] = static_cast<float>(h1i + wr * h2i + wi * h2r);
    d[i3] = static_cast<float>(h1r - wr * h2r + wi * h2i);
    d[i4] = static_cast<float>(-h1i + wr * h2i + wi * h2r);
    const double wtemp = wr;
    wr = wr + (wr * wpr - wi * wpi);
    wi = wi + (wi * wpr + wtemp * wpi);
  }
  const float first = d[1];
  if (isign == 1) {
    d[1] = first + d[2];
    d[2] = first - d[2];
  } else {
    d[1] = c1 * (first + d[2]);
    d[2] = c1 * (first - d[2]);
    ComplexTransform(pData, -1, n >> 1);
  }
}

}  // namespace legacy_fourier
