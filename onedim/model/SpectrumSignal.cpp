// Operations that change a spectrum's data: DC offset, noise filling,
// shifting, line synthesis; and the walk over its peak pickings.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <new>

#include "onedim/model/Spectrum.h"
#include "onedim/model/PeakPicking.h"
#include "numerics/Saturate.h"

// Subtracts the straight line through the mean of the first and of the last
// 8 points (fewer when the spectrum is shorter) from both parts.
void CSpectrum::RemoveDCOffset() {
  const int nPoints = m_pData != nullptr ? m_paramsA.td / 2 : 0;
  if (nPoints == 0)
    return;
  const int nMean = std::min(8, nPoints);
  long double m1 = 0.0L;
  long double m2 = 0.0L;
  for (int k = 0; k < nMean; k++) {
    m1 += m_pData[2 * k];
    m2 += m_pData[2 * (nPoints - nMean + k)];
  }
  m1 /= nMean;
  m2 /= nMean;
  const long double td = m_paramsA.td;
  for (int k = 0; k < nPoints; k++) {
    const long double b = m1 + (m2 - m1) * 2.0L * k / td;
    m_pData[2 * k] = (float)(m_pData[2 * k] - b);
    m_pData[2 * k + 1] = (float)(m_pData[2 * k + 1] - b);
  }
  m_bDataChanged = 1;
}

// Replaces the real values of a marked region by noise of the spectrum's
// own size (from its first 50 points) on the level of the value just before
// the region.
void CSpectrum::FillWithNoise(int nFirst, int nEnd) {
  const int td = m_pData != nullptr ? m_paramsA.td : 0;
  if (nFirst < 2 || nFirst % 2 != 0)
    return;
  nEnd = std::min(nEnd, td);
  if (nFirst >= nEnd)
    return;
  const int nSample = std::min(50, td / 2);
  long double s = 0.0L;
  for (int k = 0; k < nSample; k++)
    s += (long double)m_pData[2 * k] * m_pData[2 * k];
  const long long a = SaturatingInt(std::sqrt(0.01L * s));
  const long double level = m_pData[nFirst - 2];
  std::srand((unsigned)std::time(nullptr));
  for (int i = nFirst; i < nEnd; i += 2) {
    const long long r = a > 0 ? std::rand() % (3 * a) : 0;
    m_pData[i] = (float)(r + level);
  }
  m_bDataChanged = 1;
}

// Positive shifts move the data towards the start, negative ones towards
// the end; the points left empty become zero. The source may be the data.
void CSpectrum::ShiftPoints(const float* pSource, int nShift) {
  const int td = m_paramsA.td;
  if (m_pData == nullptr || pSource == nullptr || td < 2)
    return;
  const long long nMax = td / 2;
  const long long n = std::max(-nMax, std::min<long long>(nShift, nMax));
  const size_t nMoved = (size_t)(td - 2 * std::llabs(n));
  if (n > 0) {
    std::memmove(m_pData, pSource + 2 * n, nMoved * sizeof(float));
    std::fill(m_pData + nMoved, m_pData + td, 0.0f);
  } else {
    std::memmove(m_pData - 2 * n, pSource, nMoved * sizeof(float));
    std::fill(m_pData, m_pData - 2 * n, 0.0f);
  }
  m_bDataChanged = 1;
}

// Adds Lorentzian or Gaussian lines (by the line-shape byte) to the real
// parts of the first nFloats / 2 points, the frequency axis running from the
// last point (dLow) to the first, and clears their imaginary parts.
void CSpectrum::SynthesizeLines(const double* pFreq, const double* pIntensity, const double* pWidth, double dThreshold,
                                int nLines, int nFloats, double dLow, double dHigh) {
  if (m_pData == nullptr)
    return;
  const int nPoints = std::min(nFloats / 2, m_paramsA.td / 2);
  if (nPoints <= 0)
    return;
  if (nLines > 0 && (pFreq == nullptr || pIntensity == nullptr || pWidth == nullptr))
    return;
  float* pSum = new (std::nothrow) float[(size_t)nPoints]();
  if (pSum == nullptr)
    return;
  const long double hz = std::fabs((long double)dHigh - dLow) / nPoints;
  for (int l = 0; l < nLines; l++) {
    const long double t = pFreq[l];
    if (!(pIntensity[l] > dThreshold + 1e-10) || !(dLow < t && t < dHigh))
      continue;
    long double w = pWidth[l] != 0.0 ? pWidth[l] / 2.0L : 1.0L;
    if (m_bGaussian)
      w *= 1.201122409L;
    const long double v = pIntensity[l] / w;
    const long double w2 = w * w;
    for (int i = 0; i < nPoints; i++) {
      // Points start at the window's low edge, not at 0 Hz: a window that
      // does not start at 0 would otherwise move every line up by dLow.
      const long double x = dLow + i * hz - t;
      long double add;
      if (m_bGaussian)
        add = v * std::exp(-x * x / w2);
      else
        add = w2 + x * x != 0.0L ? v * w2 / (w2 + x * x) : 0.0L;
      pSum[i] = (float)(pSum[i] + add);
    }
  }
  for (int i = 0; i < nPoints; i++) {
    const int k = nPoints - 1 - i;
    m_pData[2 * k] += pSum[i];
    m_pData[2 * k + 1] = 0.0f;
  }
  m_bDataChanged = 1;
  delete[] pSum;
}

int CSpectrum::GetPeakCount() const {
  int nCount = 0;
  for (INT_PTR r = 0; r < m_arrPeaks.GetSize(); r++) {
    const CPeakPicking* pRecord = static_cast<const CPeakPicking*>(m_arrPeaks.GetAt(r));
    nCount += std::max(0, pRecord->GetCount());
  }
  return nCount;
}

double CSpectrum::GetPeakPosition(int n) const {
  if (n < 0)
    return -1;
  for (INT_PTR r = 0; r < m_arrPeaks.GetSize(); r++) {
    const CPeakPicking* pRecord = static_cast<const CPeakPicking*>(m_arrPeaks.GetAt(r));
    const int nCount = pRecord->GetCount();
    if (n < nCount)
      return pRecord->m_arrPoints.GetAt(n) / 2;
    n -= std::max(0, nCount);
  }
  return -1;
}
