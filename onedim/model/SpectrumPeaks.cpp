// Peak picking in a region of a spectrum and the refinement of one peak.
#include <algorithm>
#include <cmath>

#include "onedim/model/PeakPicking.h"
#include "onedim/model/Spectrum.h"

namespace {

// Magnitudes of the real parts; an index past the data reads as missing, so
// that no comparison with it succeeds.
class RealMagnitudes {
 public:
  RealMagnitudes(const float* pData, int td) : m_pData(pData), m_td(td) {}
  bool Has(int i) const { return i >= 0 && i < m_td; }
  float At(int i) const { return std::fabs(m_pData[i]); }
  // Whether one of the next three points is larger (bLarger) or smaller.
  bool AnyNext(int i, bool bLarger) const {
    const float a = At(i);
    for (int k = i + 2; k <= i + 6; k += 2) {
      if (Has(k) && (bLarger ? At(k) > a : At(k) < a))
        return true;
    }
    return false;
  }

 private:
  const float* m_pData;
  int m_td;
};

}  // namespace

void CSpectrum::PickPeaks(int nStart, int nEnd, double dThreshold) {
  CPeakPicking* pRecord = m_pCurrentPeaks;
  if (pRecord == nullptr)
    return;
  pRecord->m_nStart = nStart;
  pRecord->m_nEnd = nEnd;
  const int td = m_pData != nullptr ? m_paramsA.td : 0;
  const RealMagnitudes a(m_pData, td);
  const float t = (float)std::fabs(dThreshold);
  const long long nLimit = std::min<long long>((long long)nEnd + 4, (long long)td - 2);
  const int L = (int)std::max<long long>(nLimit, -1);
  const int nBefore = pRecord->GetCount();
  // Every read is at an index below the limit, inside the data.
  long long i = std::max(nStart, 0);
  bool bAppended = false;
  while (i < L) {
    i += 2;
    while (i < L && a.At((int)i) < t)
      i += 2;
    while (i < L && a.AnyNext((int)i, true))
      i += 2;
    pRecord->m_arrPoints.Add((int)i);
    bAppended = true;
    if (i >= L)
      break;
    while (i < L && a.At((int)i) > t && a.AnyNext((int)i, false))
      i += 2;
    if (i >= L)
      break;
  }
  // The last point is the end of the search, or a peak cut off by the limit.
  if (bAppended && pRecord->GetCount() > nBefore)
    pRecord->m_arrPoints.RemoveAt(pRecord->GetCount() - 1);
}

BOOL peakwidth(const float* pData, int nPoints, double& dPosition, double& dHeight, double& dWidth) {
  if (pData == nullptr || nPoints < 1)
    return FALSE;
  auto a = [pData](int k) { return (double)std::fabs(pData[2 * k]); };
  double dStart = std::floor(dPosition + 0.5);
  int i = !(dStart >= 0.0) ? 0 : dStart > nPoints - 1 ? nPoints - 1 : (int)dStart;
  while (i + 1 < nPoints && a(i + 1) > a(i))
    i++;
  while (i > 0 && a(i - 1) > a(i))
    i--;

  const double b = a(i);
  double dOffset = 0.0;  // signed: the vertex lies on the side of the larger neighbour
  if (i > 0 && i + 1 < nPoints) {
    const double l = a(i - 1), r = a(i + 1), dCurve = l + r - 2.0 * b;
    if (dCurve != 0.0)
      dOffset = (l - r) / (2.0 * dCurve);
  }

  const double h = b / 2.0;
  int j = i, k = i;
  if (b > h) {
    do {
      if (j - i >= 2 && a(j) >= a(j - 2))
        break;
      if (j + 1 >= nPoints)
        break;
      j++;
    } while (a(j) > h);
    int nSteps = 0;
    do {
      if (nSteps >= 2 && a(k) >= a(k + 2))
        break;
      if (k < 1)
        break;
      k--;
      nSteps++;
    } while (a(k) > h);
  }
  double xr = j, xl = k;
  if (a(j) < h && j > i && a(j - 1) != a(j))
    xr = j - (h - a(j)) / (a(j - 1) - a(j));
  if (a(k) < h && k < i && a(k + 1) != a(k))
    xl = k + (h - a(k)) / (a(k + 1) - a(k));

  dWidth = xr - xl;
  const double d = std::fabs(dOffset);
  dHeight = dWidth > 0.0 ? b * (1.0 + std::sqrt(d / dWidth)) : b;
  dPosition = i + dOffset;
  return TRUE;
}

void GetPeakValues(const CSpectrum& spectrum, int nFloatIndex, double& dPosition, double& dHeight) {
  const int td = spectrum.m_pData != nullptr ? spectrum.m_paramsA.td : 0;
  dPosition = nFloatIndex / 2;
  dHeight = nFloatIndex >= 0 && nFloatIndex < td ? spectrum.m_pData[nFloatIndex] : 0.0;
  if (spectrum.m_bInterpolatePeaks && td >= 2) {
    double dWidth = 0.0;
    peakwidth(spectrum.m_pData, td / 2, dPosition, dHeight, dWidth);
  }
}
