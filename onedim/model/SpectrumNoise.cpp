// Where a spectrum is only noise: automatic baseline points, the quietest
// block and the signal-to-noise ratio.
#include <algorithm>
#include <cmath>

#include "onedim/model/Spectrum.h"

namespace {

// The largest rejection level of FindBaselinePoints so far; a call with the
// reuse flag starts from it.
double g_dBaselineLevel = 0.0;

const int kBlockPoints = 64;

// max - min of the real values of nPoints points from point nFirst.
float Spread(const float* pData, int nFirst, int nPoints) {
  if (nPoints <= 0)
    return 0.0f;
  float fMin = pData[2 * nFirst];
  float fMax = fMin;
  for (int k = nFirst + 1; k < nFirst + nPoints; k++) {
    fMin = std::min(fMin, pData[2 * k]);
    fMax = std::max(fMax, pData[2 * k]);
  }
  return fMax - fMin;
}

}  // namespace

double CSpectrum::GetBaselineLevel() {
  return g_dBaselineLevel;
}

void CSpectrum::ResetBaselineLevel() {
  g_dBaselineLevel = 0.0;
}

// Marks the values that belong to signals (1) and those of the baseline
// (0): the differences of moving sums of 2b + 1 values are baseline while
// they stay within mean + 9 standard deviations of the unmarked ones; short
// gaps between marked values are closed. Returns the number of baseline
// values among b + 1 .. n - b - 1.
int CSpectrum::FindBaselinePoints(const float* pSource, double* pSums, float* pWork, BYTE* pMarks, int nHalfWindow,
                                  BOOL bReuse, int nValues, int nStride) {
  if (pSource == nullptr || pSums == nullptr || pMarks == nullptr || nValues <= 0)
    return 0;
  if (nStride < 1)
    nStride = 1;
  // On the spectrum's own data the values must lie inside its td floats.
  if (pSource == m_pData) {
    const int nAvailable = m_paramsA.td > 0 ? (m_paramsA.td - 1) / nStride + 1 : 0;
    nValues = std::min(nValues, nAvailable);
  }
  const int n = nValues;
  std::fill(pMarks, pMarks + n, (BYTE)0);
  const int b = std::max(nHalfWindow, 2);
  if (nStride > 1) {
    if (pWork == nullptr)
      return 0;
    for (int k = 0; k < n; k++)
      pWork[k] = pSource[(long long)k * nStride];
    pSource = pWork;
  }
  if (n < 2 * b + 2)
    return 0;

  for (int k = 0; k <= n - 2 * b - 1; k++) {
    long double s = 0.0L;
    for (int m = k; m <= k + 2 * b; m++)
      s += pSource[m];
    pSums[b + k] = (double)s;
  }

  double c;
  if (bReuse) {
    c = 2.0 * g_dBaselineLevel;
  } else {
    g_dBaselineLevel = 0.0;
    c = 1e30;
  }

  long double sum = 0.0L;
  long double sumSq = 0.0L;
  int nCount = n - 2 * b - 1;
  for (int j = n - b - 1; j >= b + 1; j--) {
    const double d = std::fabs(pSums[j] - pSums[j - 1]);
    if (d > c) {
      pMarks[j] = 1;
      nCount--;
    } else {
      pSums[j] = d;
      sum += d;
      sumSq += (long double)d * d;
    }
  }

  double dLevel = 0.0;
  bool bMarked = true;
  while (bMarked && nCount > 0) {
    bMarked = false;
    const long double mean = sum / nCount;
    const long double var = sumSq / nCount - mean * mean;
    const double e = (double)(mean + 9.0L * std::sqrt(std::max(var, 0.0L)));
    dLevel = std::max(dLevel, e);
    for (int j = b + 1; j <= n - b - 1; j++) {
      if (pMarks[j] == 0 && pSums[j] > e) {
        pMarks[j] = 1;
        sum -= pSums[j];
        sumSq -= (long double)pSums[j] * pSums[j];
        nCount--;
        bMarked = true;
      }
    }
  }
  g_dBaselineLevel = std::max(g_dBaselineLevel, dLevel);

  for (int r = b - 1; r >= 1; r--) {
    for (int k = b + 1 + r; k <= n - b - 1 - r; k++) {
      if (pMarks[k] == 0 && pMarks[k - r] != 0 && pMarks[k + r] != 0) {
        pMarks[k] = 1;
        nCount--;
      }
    }
  }
  return nCount;
}

// Blocks of 64 points from the start, as many as td / 256; a later block
// wins only when strictly quieter.
int CSpectrum::GetQuietestBlock() const {
  const int nBlocks = m_pData != nullptr ? m_paramsA.td / 256 : 0;
  int nBest = 0;
  float fBest = nBlocks > 0 ? Spread(m_pData, 0, kBlockPoints) : 0.0f;
  for (int blk = 1; blk < nBlocks; blk++) {
    const float f = Spread(m_pData, blk * kBlockPoints, kBlockPoints);
    if (f < fBest) {
      fBest = f;
      nBest = blk;
    }
  }
  return nBest;
}

// The noise is the spread of the quietest block (of the points there are,
// for a spectrum shorter than one block); the signal is the largest real
// value within 50 floats of the index.
void CSpectrum::GetSignalToNoise(int nIndex, double& dSignalToNoise, double& dNoise) const {
  const int td = m_pData != nullptr ? m_paramsA.td : 0;
  if (td < 2) {
    dSignalToNoise = 0.0;
    dNoise = 1e-7;
    return;
  }
  const int nPoints = td / 2;
  const int nBlock = GetQuietestBlock();
  const int nFirst = nBlock * kBlockPoints;
  const double noise = Spread(m_pData, nFirst, std::min(kBlockPoints, nPoints - nFirst));

  const int i = std::max(0, std::min(nIndex, td - 2)) & ~1;
  const int nLow = std::max(0, i - 50);
  const int nHigh = std::min(td, i + 50);
  float fSignal = m_pData[i];
  for (int j = nLow; j < nHigh; j += 2) {
    if (std::fabs(m_pData[j]) > std::fabs(fSignal))
      fSignal = m_pData[j];
  }
  if (noise > 1e-7)
    dSignalToNoise = std::fabs(fSignal * 2.5 / noise);
  else
    dSignalToNoise = std::fabs(fSignal * 2.5e7);
  dNoise = std::max(noise, 1e-7);
}
