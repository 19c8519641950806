#include "onedim/processing/FastFourier.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "numerics/Constants.h"

namespace {

// The butterflies' 2 pi, to fourteen digits: the transform's results (and
// stored spectra) have always been computed with it, not with 2 kPi.
const double kButterflyTwoPi = 6.28318530717959;

bool IsPowerOfTwo(int n) {
  return n > 0 && (n & (n - 1)) == 0;
}

}  // namespace

CFastFourier::CFastFourier()
    : m_nMode(1),
      m_bRotate(0),
      m_pData(nullptr),
      m_nPoints(0),
      m_bInverse(0),
      m_bConjugate(0),
      m_pProgress(nullptr),
      m_pProgressContext(nullptr) {}

CFastFourier::~CFastFourier() {}

int CFastFourier::SetData(float* data, int nFloats, int mode, int rotate, int inverse) {
  m_pData = data;
  m_nPoints = nFloats;
  m_nMode = mode;
  m_bRotate = rotate;
  m_bInverse = inverse;
  return 1;
}

void CFastFourier::SetProgress(FourierProgressFn fn, void* context) {
  m_pProgress = fn;
  m_pProgressContext = context;
}

bool CFastFourier::IsValidSize(int nFloats, int mode) {
  (void)mode;  // both modes need a power of two of floats
  return nFloats >= 4 && IsPowerOfTwo(nFloats);
}

void CFastFourier::HalveFirstPoint() {
  if (!m_pData || m_nPoints < 2)
    return;
  m_pData[0] *= 0.5f;
  m_pData[1] *= 0.5f;
}

// Removes a constant offset from the real and from the imaginary values.
// The sums run in double: a float sum over a million points drifts by far
// more than the offset's own precision.
void CFastFourier::RemoveDrift() {
  const int points = m_nPoints / 2;
  if (!m_pData || points < 1)
    return;
  double sumRe = 0.0, sumIm = 0.0;
  for (int k = 0; k < points; ++k) {
    sumRe += m_pData[2 * k];
    sumIm += m_pData[2 * k + 1];
  }
  const float meanRe = static_cast<float>(sumRe / points);
  const float meanIm = static_cast<float>(sumIm / points);
  for (int k = 0; k < points; ++k) {
    m_pData[2 * k] -= meanRe;
    m_pData[2 * k + 1] -= meanIm;
  }
}

void CFastFourier::Rotate() {
  if (!m_pData)
    return;
  for (int i = 0; i < m_nPoints; i += 4) {
    m_pData[i] = -m_pData[i];
    if (i + 1 < m_nPoints)
      m_pData[i + 1] = -m_pData[i + 1];
  }
}

void CFastFourier::Conjugate() {
  if (!m_pData)
    return;
  for (int i = 1; i < m_nPoints; i += 2)
    m_pData[i] = -m_pData[i];
}

// The inverse runs the forward steps in reverse order (transform, then
// conjugation, then rotation), so that forward followed by inverse gives
// the input times the number of complex points (real mode: times N/2).
BOOL CFastFourier::Transform() {
  if (!m_pData || !IsValidSize(m_nPoints, m_nMode))
    return FALSE;
  const bool complexMode = m_nMode == 1;
  if (!m_bInverse) {
    if (m_bRotate)
      Rotate();
    if (complexMode) {
      if (m_bConjugate)
        Conjugate();
      ComplexTransform(1, m_nPoints / 2);
    } else {
      RealTransform(1, m_nPoints);
    }
  } else {
    if (complexMode) {
      ComplexTransform(-1, m_nPoints / 2);
      if (m_bConjugate)
        Conjugate();
    } else {
      RealTransform(-1, m_nPoints);
    }
    if (m_bRotate)
      Rotate();
  }
  return TRUE;
}

// Radix-2 decimation in time over n complex points, one-based indexing as in
// the textbook form: bit reversal, then log2(n) butterfly stages whose
// twiddle factors advance by a trigonometric recurrence (two sin calls per
// stage).
void CFastFourier::ComplexTransform(int isign, int n) {
  if (!m_pData || !IsPowerOfTwo(n) || 2 * n > m_nPoints)
    return;
  float* data = m_pData - 1;  // data[1] is the first real value
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

  // The twiddle factors of a stage come from the recurrence in order of m;
  // they are taken kChunk at a time into a small local table so that the
  // butterflies sweep the array in memory order (the textbook loop over m
  // outside i strides across the whole array once per m). Same factors,
  // same arithmetic, same results.
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
    if (m_pProgress)
      m_pProgress(m_pProgressContext);
  }
}

// n real values by one complex transform of n/2 points and the split step.
// Forward packs the zero-frequency and the last frequency term into the
// first pair.
void CFastFourier::RealTransform(int isign, int n) {
  if (!m_pData || !IsPowerOfTwo(n) || n < 2 || n > m_nPoints)
    return;
  float* d = m_pData - 1;
  double theta = kPi / static_cast<double>(n >> 1);
  const double c1 = 0.5;
  double c2;
  if (isign == 1) {
    c2 = -0.5;
    ComplexTransform(1, n >> 1);
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
    ComplexTransform(-1, n >> 1);
  }
}
