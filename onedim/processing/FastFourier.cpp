#include "onedim/processing/FastFourier.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "onedim/processing/FourierKernels.h"
#include "onedim/processing/FourierTables.h"

namespace {

// Points of the blocks in which the first stages run: 8 KB of data, and
// the twiddles of those stages (16 KB), stay in a 32 KB first-level cache.
const int kBlockPoints = 1024;

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

namespace {

// The receiver's offset in one channel (0 real, 1 imaginary) of points
// first .. last - 1: their mean, or 0 where the mean lies within three of
// its standard errors of zero. Such a mean is the noise's, not an offset:
// taking it away would put a spike of its own at the carrier (on a noisy
// 13C FID a few times the spectrum's noise). Constant data have no spread,
// so a constant is always an offset. The sums run in double: a float sum
// over many points drifts by more than the offset's own precision.
float ChannelOffset(const float* pData, int first, int last, int nChannel) {
  const int n = last - first;
  double sum = 0.0;
  for (int k = first; k < last; ++k)
    sum += pData[2 * k + nChannel];
  const double mean = sum / n;
  double squares = 0.0;
  for (int k = first; k < last; ++k) {
    const double d = pData[2 * k + nChannel] - mean;
    squares += d * d;
  }
  const double standardError = n > 1 ? std::sqrt(squares / (n - 1) / n) : 0.0;
  return std::fabs(mean) > 3.0 * standardError ? static_cast<float>(mean) : 0.0f;
}

}  // namespace

// Drift correction. The receiver's offset is read from the last eighth of
// the acquired points, where the signal has died away: a mean over the whole
// array holds the spectrum's own zero-frequency value (over a zero-filled
// FID mostly its zeros), and taking it away cut a one-point notch at the
// carrier, where a presaturated solvent line sits. It is taken away from the
// acquired points only: the zero filling stays zero, since an offset there
// would be a step in the FID.
void CFastFourier::RemoveDrift(int nAcquired) {
  if (nAcquired < 0 || nAcquired > m_nPoints)
    nAcquired = m_nPoints;
  const int points = nAcquired / 2;
  if (!m_pData || points < 1)
    return;
  const int first = points - std::max(1, points / 8);
  const float offsetRe = ChannelOffset(m_pData, first, points, 0);
  const float offsetIm = ChannelOffset(m_pData, first, points, 1);
  for (int k = 0; k < points; ++k) {
    m_pData[2 * k] -= offsetRe;
    m_pData[2 * k + 1] -= offsetIm;
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

// Radix-2 decimation in time over n complex points: bit reversal, then
// log2(n) butterfly stages with the twiddles of the recurrence, kept per
// size. Without a progress report the first stages run block by block
// while a block sits in the first-level cache, and the stages pass over
// the data two at a time (FourierKernels.h: the order of independent
// butterflies changes, not a bit of the result).
void CFastFourier::ComplexTransform(int isign, int n) {
  if (!m_pData || !IsPowerOfTwo(n) || 2 * n > m_nPoints)
    return;
  float* d = m_pData;
  BitReverse(d, n);
  const std::shared_ptr<const FourierTables> tables = n >= 2 ? StageTables(n, isign) : nullptr;
  if (!tables) {
    // No tables for this size: each stage runs its recurrence itself.
    for (int h = 1; h < n; h <<= 1) {
      RunStageByRecurrence(d, n, h, isign);
      if (m_pProgress)
        m_pProgress(m_pProgressContext);
    }
    return;
  }
  const double* wr = tables->wr.data();
  const double* wi = tables->wi.data();
  if (m_pProgress) {
    for (int h = 1; h < n; h <<= 1) {
      RunStage(d, 0, n, h, wr, wi);
      m_pProgress(m_pProgressContext);
    }
    return;
  }
  const int block = std::min(n, kBlockPoints);
  for (int lo = 0; lo < n; lo += block)
    RunStages(d, lo, lo + block, 1, block, wr, wi);
  RunStages(d, 0, n, block, n, wr, wi);
}

// n real values by one complex transform of n/2 points and the split step.
// Forward packs the zero-frequency and the last frequency term into the
// first pair.
void CFastFourier::RealTransform(int isign, int n) {
  if (!m_pData || !IsPowerOfTwo(n) || n < 2 || n > m_nPoints)
    return;
  float* d = m_pData;
  const double c1 = 0.5;
  const double c2 = isign == 1 ? -0.5 : 0.5;
  if (isign == 1)
    ComplexTransform(1, n >> 1);
  if (n >= 8) {
    const std::shared_ptr<const FourierTables> tables = SplitTables(n, isign);
    if (tables) {
      SplitPairs(d, n, c1, c2, tables->wr.data(), tables->wi.data());
    } else {
      CTwiddleRecurrence w = CTwiddleRecurrence::Split(n, isign);
      for (int p = 1; p < n / 4; ++p, w.Advance())
        SplitPair(d, n, p, c1, c2, w.wr, w.wi);
    }
  }
  const float first = d[0];
  if (isign == 1) {
    d[0] = first + d[1];
    d[1] = first - d[1];
  } else {
    d[0] = c1 * (first + d[1]);
    d[1] = c1 * (first - d[1]);
    ComplexTransform(-1, n >> 1);
  }
}
