#include "onedim/model/Integral.h"

#include <cmath>
#include <cstdlib>
#include <new>

#include "framework/base/Archive.h"
#include "numerics/Saturate.h"
#include "onedim/model/Spectrum.h"

IMPLEMENT_SERIAL(CIntegral, CObject, 1)

CIntegral::CIntegral()
    : m_crColour(RGB(255, 0, 0)),
      m_crDrawn(RGB(255, 0, 0)),
      m_dThreshold(0.0),
      m_pSpectrum(nullptr),
      m_dSlope(0.0),
      m_dBias(0.0),
      m_bAutoCorrect(0),
      m_bBaseline(1),
      m_nBase(0),
      m_dValue(0.0),
      m_nEnd(0),
      m_nStart(0),
      m_rectValue(),
      m_rectCurve(),
      m_pCurve(nullptr),
      m_bThresholding(0),
      m_pBaselineValues(nullptr),
      m_n(0) {}

CIntegral::CIntegral(CSpectrum* pSpectrum, int nStart, int nEnd, int nBase, COLORREF crColour) : CIntegral() {
  m_pSpectrum = pSpectrum;
  m_nStart = nStart;
  m_nEnd = nEnd;
  m_nBase = nBase;
  m_crColour = crColour;
  m_crDrawn = crColour;
  AllocateArrays();
}

CIntegral::~CIntegral() {
  delete[] m_pCurve;
  delete[] m_pBaselineValues;
}

void CIntegral::AllocateArrays() {
  // The span is taken in 64 bits: a region read from a file may hold any two
  // integers.
  long long span = std::llabs((long long)m_nEnd - (long long)m_nStart) / 2;
  if (span <= 0 || span > 0x7FFFFFFF / (long long)sizeof(POINT))
    return;
  POINT* pCurve = new (std::nothrow) POINT[(size_t)span]();
  double* pValues = new (std::nothrow) double[(size_t)span]();
  if (pCurve == nullptr || pValues == nullptr) {
    delete[] pCurve;
    delete[] pValues;
    return;
  }
  m_pCurve = pCurve;
  m_pBaselineValues = pValues;
  m_n = (int)span;
}

void CIntegral::Serialize(CArchive&) {}

namespace {

// Real value at a float index; 0 outside the data, where a region read from
// a file may reach.
double RealAt(const CSpectrum& s, long long nIndex) {
  return s.m_pData != nullptr && nIndex >= 0 && nIndex < s.m_paramsA.td ? s.m_pData[nIndex] : 0.0;
}

// Mean of the five points from nFrom in steps of nStep that lie in the
// data; 0 when none does.
double FivePointMean(const CSpectrum& s, long long nFrom, int nStep) {
  double dSum = 0.0;
  int nCount = 0;
  for (int k = 0; k < 5; k++) {
    const long long i = nFrom + (long long)k * nStep;
    if (s.m_pData != nullptr && i >= 0 && i < s.m_paramsA.td) {
      dSum += s.m_pData[i];
      nCount++;
    }
  }
  return nCount > 0 ? dSum / nCount : 0.0;
}

}  // namespace

void CIntegral::FitBaseline() {
  if (m_bAutoCorrect && m_pSpectrum != nullptr && m_nEnd != m_nStart) {
    m_dBias = FivePointMean(*m_pSpectrum, m_nStart, 2);
    const double e = FivePointMean(*m_pSpectrum, m_nEnd, -2);
    m_dSlope = (e - m_dBias) / ((double)m_nEnd - (double)m_nStart) * 2.0;
  }
  for (int i = 0; i < m_n && (long long)m_nStart + 2LL * i < m_nEnd; i++)
    m_pBaselineValues[i] = m_dBias + m_dSlope * i;
}

double CIntegral::MaxValue() const {
  double dMax = 0.0;
  bool bFirst = true;
  for (long long i = m_nStart; m_pSpectrum != nullptr && i < m_nEnd; i += 2) {
    const double v = RealAt(*m_pSpectrum, i);
    if (bFirst || v > dMax)
      dMax = v;
    bFirst = false;
  }
  return dMax;
}

void CIntegral::SumRange(double& dLargest, double& dSmallest) {
  m_dThreshold = MaxValue() * m_pSpectrum->m_dThresholdPercent * 0.01;
  double S = 0.0;
  dLargest = dSmallest = 0.0;
  for (int i = 0; i < m_n && (long long)m_nStart + 2LL * i < m_nEnd; i++) {
    const double re = RealAt(*m_pSpectrum, (long long)m_nStart + 2LL * i);
    const double u = m_bAutoCorrect ? -m_pBaselineValues[i] : m_pBaselineValues[i];
    if (!m_bThresholding)
      S += re + u;
    else if (re > m_dThreshold)
      S += re + u - m_dThreshold;
    if (i == 0 || S > dLargest)
      dLargest = S;
    if (i == 0 || S < dSmallest)
      dSmallest = S;
  }
}

int CIntegral::PointToX(double f, int nOffset, int nIndex) const {
  const CSpectrum& s = *m_pSpectrum;
  const double dSpan = (double)s.m_nLast - (double)s.m_nFirst;
  const double dFraction = dSpan != 0.0 ? ((double)nIndex - s.m_nFirst) / dSpan : 0.0;
  return SaturatingInt(nOffset + f * s.m_nLeftPixel + f * ((double)s.m_nRightPixel - s.m_nLeftPixel) * dFraction);
}

double CIntegral::ComputeCurve(double fx, double fy, int nOffsetX, int nOffsetY, BOOL& bAllocated) {
  bAllocated = TRUE;
  const long long nWanted = std::llabs((long long)m_nEnd - (long long)m_nStart) / 2;
  if (nWanted != m_n || m_pCurve == nullptr) {
    delete[] m_pCurve;
    delete[] m_pBaselineValues;
    m_pCurve = nullptr;
    m_pBaselineValues = nullptr;
    m_n = 0;
    AllocateArrays();
    if (nWanted > 0 && m_pCurve == nullptr) {
      bAllocated = FALSE;
      return 0.0;
    }
  }
  if (m_pSpectrum == nullptr)
    return 0.0;
  CSpectrum& s = *m_pSpectrum;
  if (m_bBaseline)
    FitBaseline();
  double dLargest = 0.0, dSmallest = 0.0;
  SumRange(dLargest, dSmallest);
  // A spectrum of zeros or a scale of no height must not divide by zero.
  const float fLargest = s.GetLargestValue();
  const double g = fLargest > 0.0f ? fLargest : 1.0;
  if (s.m_nIntegralScaleNum == -1) {
    const int nNum = SaturatingInt(std::fabs(dLargest / g));
    s.m_nIntegralScaleNum = nNum != 0 ? nNum : 1;
  }
  double t = s.m_nIntegralScaleDen != 0 ? std::fabs((double)s.m_nIntegralScaleNum / s.m_nIntegralScaleDen) : 1.0;
  if (!(t > 0.0) || !std::isfinite(t))
    t = 1.0;

  double S = 0.0;
  int i = 0;
  for (; i < m_n && (long long)m_nStart + 2LL * i < m_nEnd; i++) {
    const int nIndex = m_nStart + 2 * i;
    const double re = RealAt(s, nIndex);
    double u = m_bBaseline ? m_pBaselineValues[i] : 0.0;
    if (m_bAutoCorrect)
      u = -u;
    if (!m_bThresholding)
      S += re + u;
    else if (re > m_dThreshold)
      S += re + u - m_dThreshold;
    m_pCurve[i].x = PointToX(fx, nOffsetX, nIndex);
    m_pCurve[i].y = SaturatingInt((long double)SaturatingInt(m_nBase * fy) - SaturatingInt(S / g / t * fy) + nOffsetY);
  }
  // A region whose start lies after its end fills no point: none is drawn.
  m_n = i;
  m_rectCurve.left = i > 0 ? m_pCurve[0].x : 0;
  m_rectCurve.right = i > 0 ? m_pCurve[i - 1].x : 0;
  m_rectCurve.top = SaturatingInt((long double)m_nBase - SaturatingInt(dLargest / g / t));
  m_rectCurve.bottom = SaturatingInt((long double)m_nBase - SaturatingInt(dSmallest / g / t));
  m_dValue = S;
  return S;
}
