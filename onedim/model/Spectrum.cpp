#include "onedim/model/Spectrum.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "framework/base/Archive.h"
#include "framework/base/Exception.h"
#include "onedim/model/TextLabel.h"
#include "onedim/model/Integral.h"
#include "onedim/model/MeasureJ.h"
#include "onedim/model/PeakPicking.h"
#include "numerics/Saturate.h"
#include "onedim/model/WindowFunction.h"

IMPLEMENT_SERIAL(CSpectrum, CObject, 1)

namespace {

CSpectrum::AllocationHook g_pfnAllocationHook = nullptr;

// Group delay of the digital filter in points, by decimation (rows) and DSP
// firmware 10, 11, 12 (columns).
struct GroupDelayRow {
  int nDecim;
  double adDelay[3];
};
const GroupDelayRow kGroupDelay[] = {
    {2, {44.75, 46.0, 46.311}},      {3, {33.5, 36.5, 36.53}},         {4, {66.625, 48.0, 47.87}},
    {6, {59.0833, 50.1667, 50.229}}, {8, {68.5625, 53.25, 53.289}},    {12, {60.375, 69.5, 69.551}},
    {16, {69.5313, 72.25, 71.6}},    {24, {61.0208, 70.1667, 70.184}}, {32, {70.0156, 72.75, 72.138}},
    {48, {61.3438, 70.5, 70.528}},   {64, {70.2578, 73.0, 72.348}},    {96, {61.5052, 70.6667, 70.7}},
    {128, {70.3789, 72.5, 72.524}},  {192, {61.5859, 71.3333, 0.0}},   {256, {70.4395, 72.25, 0.0}},
    {384, {61.6263, 71.6667, 0.0}},  {512, {70.4697, 72.125, 0.0}},    {768, {61.6465, 71.8333, 0.0}},
    {1024, {70.4849, 72.0625, 0.0}}, {1536, {61.6566, 71.9167, 0.0}},  {2048, {70.4924, 72.0313, 0.0}},
};

const char kZeroFillFailed[] = "Memory exhausted. \nZero Filling aborted";

float* CopyOf(const float* pSource, int nFloats) {
  float* pCopy = CSpectrum::AllocateFloats(nFloats);
  if (pCopy != nullptr && pSource != nullptr)
    std::memcpy(pCopy, pSource, sizeof(float) * (size_t)nFloats);
  return pCopy;
}

template <class T>
void DeleteElements(CObArray& arr) {
  for (INT_PTR i = 0; i < arr.GetSize(); i++)
    delete static_cast<T*>(arr.GetAt(i));
  arr.RemoveAll();
}

}  // namespace

void SwapBytes32(int* pWords, int nCount) {
  if (pWords == nullptr)
    return;
  for (int i = 0; i < nCount; i++) {
    DWORD w = (DWORD)pWords[i];
    w = (w >> 24) | ((w >> 8) & 0x0000FF00u) | ((w << 8) & 0x00FF0000u) | (w << 24);
    pWords[i] = (int)w;
  }
}

float* CSpectrum::AllocateFloats(int nFloats) {
  if (nFloats <= 0)
    return nullptr;
  if (g_pfnAllocationHook != nullptr && !g_pfnAllocationHook((std::size_t)nFloats))
    return nullptr;
  return new (std::nothrow) float[(std::size_t)nFloats]();
}

CSpectrum::AllocationHook CSpectrum::SetAllocationHook(AllocationHook pfnHook) {
  AllocationHook pfnOld = g_pfnAllocationHook;
  g_pfnAllocationHook = pfnHook;
  return pfnOld;
}

void CSpectrum::InitDefaults() {
  m_rectBound = RECT();
  m_pReserved = nullptr;
  m_pData = nullptr;
  m_pRawData = nullptr;
  m_pWeighted = nullptr;
  m_fIntensityStep = 1.2f;
  m_fVerticalScale = 100.0f;
  m_rectPlot = RECT();
  m_crTrace = RGB(0, 0, 0);
  m_nFirst = 0;
  m_nLast = 0;
  m_nDisplayMode = 0;
  m_pCurrentPeaks = nullptr;
  m_bShowPeaks = 0;
  m_pCurrentJ = nullptr;
  m_pSelectedIntegral = nullptr;
  m_bVerticalIntegralLabels = 0;
  m_nIntegralDistance = 20;
  m_pSelectedLabel = nullptr;
  m_bGaussian = 0;
  m_bSelectedPeakShown = 0;
  m_bMeasuringJ = 0;
  m_bSelectedJShown = 0;
  m_pAux = nullptr;
  m_nMaxIndex = 0;
  m_bInterpolatePeaks = 1;
  m_dPrintScaleX = 1.0;
  m_dPrintScaleY = 1.0;
  m_dIntegralNorm = 0.0;
  m_nIntegralsOnTop = 1;
  m_nShowIntegralValues = 1;
  m_nShowIntegralCurves = 1;
  m_nIntegralRectangle = 1;
  m_nIntegralScaleNum = -1;
  m_nIntegralLineWidth = 1;
  m_nIntegralScaleDen = 100;
  m_bDrawThreshold = 0;
  m_dThresholdPercent = 0.0;
  m_nThresholdExtra = 0;
  m_bTransformed = 0;
  m_bPhaseDisplay = 0;
  m_bPhaseChanged = 0;
  m_nLineThickness = 1;
  m_pWindow = nullptr;
  m_bWeighted = 0;
  m_bShowScale = 1;
  m_fMaxValue = 0.0f;
  m_nRightPixel = 0;
  m_nLeftPixel = 0;
  m_bDataChanged = 1;
  m_nPivot = 0;
  m_dPhase0 = 0.0;
  m_dPhase1 = 0.0;
}

CSpectrum::CSpectrum() {
  InitDefaults();
}

CSpectrum::CSpectrum(const CSpectrumParams& params) {
  InitDefaults();
  m_paramsA.CopyFrom(params);
  m_paramsB.CopyFrom(params);
  m_nLast = params.td;
}

CSpectrum::CSpectrum(const CSpectrum& other) : CObject(), m_State(other.m_State) {
  InitDefaults();
  m_paramsA.CopyFrom(other.m_paramsA);
  m_paramsB.CopyFrom(other.m_paramsB);

  // Whichever buffers the source has are copied; missing ones start at zero,
  // so the copy always holds all three.
  const int td = m_paramsA.td;
  if (td > 0) {
    m_pData = CopyOf(other.m_pData, td);
    m_pRawData = CopyOf(other.m_pRawData, td);
    m_pWeighted = CopyOf(other.m_pWeighted, td);
    if (m_pData == nullptr || m_pRawData == nullptr || m_pWeighted == nullptr) {
      delete[] m_pData;
      delete[] m_pRawData;
      delete[] m_pWeighted;
      AfxThrowMemoryException();
    }
  }

  m_fIntensityStep = other.m_fIntensityStep;
  m_fVerticalScale = other.m_fVerticalScale;
  m_rectPlot = other.m_rectPlot;
  m_rectPlot.left += 100;
  m_rectPlot.right += 100;
  m_rectPlot.top -= 100;
  m_rectPlot.bottom -= 100;
  m_crTrace = other.m_crTrace;
  m_nFirst = other.m_nFirst;
  m_nLast = other.m_nLast;
  m_nDisplayMode = other.m_nDisplayMode;
  m_bShowPeaks = other.m_bShowPeaks;
  m_bSelectedPeakShown = other.m_bSelectedPeakShown;
  m_bSelectedJShown = other.m_bSelectedJShown;
  // The copy has no coupling measurements, so none can be in progress.
  m_bMeasuringJ = 0;
  m_bTransformed = other.m_bTransformed;
  m_bPhaseDisplay = other.m_bPhaseDisplay;
  m_bPhaseChanged = other.m_bPhaseChanged;
  m_nLineThickness = other.m_nLineThickness;
  m_bWeighted = other.m_bWeighted;
  m_bShowScale = other.m_bShowScale;
  m_fMaxValue = other.m_fMaxValue;
  m_bDataChanged = other.m_bDataChanged;
  m_nPivot = other.m_nPivot;
  m_nMaxIndex = other.m_nMaxIndex;
  m_bVerticalIntegralLabels = other.m_bVerticalIntegralLabels;
  m_nIntegralLineWidth = other.m_nIntegralLineWidth;
  m_Scale = other.m_Scale;
  m_Scale.SetFloating(true);
  m_Scale.SetPosition(m_rectPlot.bottom);

  m_nLeftPixel = 100;
  m_nRightPixel = 400;
  m_pWindow = new CWindowFunction(m_pRawData, m_pWeighted, &m_paramsA.td, &m_paramsA.sw);
}

CSpectrum::~CSpectrum() {
  delete[] m_pAux;
  delete[] m_pData;
  delete[] m_pRawData;
  delete[] m_pWeighted;
  delete m_pWindow;
  DeleteElements<CPeakPicking>(m_arrPeaks);
  DeleteElements<CMeasureJ>(m_arrCouplings);
  DeleteElements<CIntegral>(m_arrIntegrals);
  DeleteElements<CTextLabel>(m_arrLabels);
  DeleteElements<CObject>(m_arrObjects);
}

void CSpectrum::Serialize(CArchive&) {}

int CSpectrum::GetMaxIndex() const {
  const int nPoints = m_pData != nullptr ? m_paramsA.td / 2 : 0;
  int nBest = 0;
  for (int k = 1; k < nPoints; k++) {
    if (m_pData[2 * k] >= m_pData[nBest])
      nBest = 2 * k;
  }
  return nBest;
}

int CSpectrum::GetMinIndex() const {
  const int nPoints = m_pData != nullptr ? m_paramsA.td / 2 : 0;
  int nBest = 0;
  for (int k = 1; k < nPoints; k++) {
    if (m_pData[2 * k] <= m_pData[nBest])
      nBest = 2 * k;
  }
  return nBest;
}

// Whole points change places, so the real and imaginary parts of a point
// stay together.
void CSpectrum::Reverse() {
  if (m_pData == nullptr)
    return;
  const int nPoints = m_paramsA.td / 2;
  for (int k = 0, m = nPoints - 1; k < m; k++, m--) {
    std::swap(m_pData[2 * k], m_pData[2 * m]);
    std::swap(m_pData[2 * k + 1], m_pData[2 * m + 1]);
  }
  m_bDataChanged = 1;
}

// All three buffers are allocated before any is replaced, so that a failure
// leaves the spectrum exactly as it was.
BOOL CSpectrum::ZeroFill(int nNewTd, const char** ppszMessage) {
  if (nNewTd < 2 || nNewTd % 2 != 0)
    return FALSE;
  const int nOldTd = m_paramsA.td;
  float* pData = AllocateFloats(nNewTd);
  float* pRaw = pData != nullptr ? AllocateFloats(nNewTd) : nullptr;
  float* pWeighted = pRaw != nullptr ? AllocateFloats(nNewTd) : nullptr;
  if (pWeighted == nullptr) {
    delete[] pData;
    delete[] pRaw;
    if (ppszMessage != nullptr)
      *ppszMessage = kZeroFillFailed;
    else
      ReportErrorText(kZeroFillFailed);
    return FALSE;
  }
  const size_t nKeep = sizeof(float) * (size_t)std::max(0, std::min(nOldTd, nNewTd));
  if (m_pData != nullptr)
    std::memcpy(pData, m_pData, nKeep);
  if (m_pRawData != nullptr)
    std::memcpy(pRaw, m_pRawData, nKeep);
  if (m_pWeighted != nullptr)
    std::memcpy(pWeighted, m_pWeighted, nKeep);
  delete[] m_pData;
  delete[] m_pRawData;
  delete[] m_pWeighted;
  m_pData = pData;
  m_pRawData = pRaw;
  m_pWeighted = pWeighted;

  m_nFirst = 0;
  m_nLast = nNewTd;
  // The time axis follows the data's length, as it does once the document
  // is read back (td / 2 sw); the acquisition keeps its own length, which
  // a cut shortens.
  if (nOldTd > 0) {
    m_paramsA.offset *= (double)nNewTd / (double)nOldTd;
    m_paramsA.aq *= (double)nNewTd / (double)nOldTd;
    const int nAcquired = m_paramsA.acquiredTd > 0 ? std::min(m_paramsA.acquiredTd, nOldTd) : nOldTd;
    m_paramsA.acquiredTd = nAcquired < nNewTd ? nAcquired : 0;
  }
  m_paramsA.td = nNewTd;
  m_bDataChanged = 1;
  if (m_pWindow != nullptr)
    m_pWindow->SetBuffers(m_pRawData, m_pWeighted);
  return TRUE;
}

int CSpectrum::GetPowerOfTwoSize() const {
  int nTd = m_paramsA.td;
  if (nTd < 2)
    return 0;
  int nHalvings = 0;
  while (nTd > 0) {
    nTd /= 2;
    nHalvings++;
  }
  return 1 << (nHalvings - 1);
}

// Rotating in place needs no second buffer, so it cannot run out of memory.
BOOL CSpectrum::Rotate(int nPoints) {
  const int nTotal = m_paramsA.td / 2;
  if (m_pData == nullptr || nPoints < 0 || nPoints >= nTotal)
    return FALSE;
  std::rotate(m_pData, m_pData + 2 * nPoints, m_pData + 2 * nTotal);
  m_bDataChanged = 1;
  return TRUE;
}

double GetFilterTableDelay(int nDecim, int nDspfvs) {
  // The firmware is checked before it becomes a column: a damaged acqus can
  // give any int, and one near INT_MIN has no column below it.
  if (nDspfvs < 10 || nDspfvs > 12)
    return 0.0;
  const int nColumn = nDspfvs - 10;
  for (const GroupDelayRow& row : kGroupDelay) {
    if (row.nDecim == nDecim)
      return row.adDelay[nColumn];
  }
  return 0.0;
}

double GetGroupDelayOf(const CSpectrumParams& params) {
  const double dTable = GetFilterTableDelay(params.DECIM, params.DSPFVS);
  if (dTable > 0.0)
    return dTable;
  // Newer firmware is not in the table: its acquisition states the delay.
  // A value no rotation of these data can take counts as none.
  const double dGiven = params.GRPDLY;
  if (std::isfinite(dGiven) && dGiven > 0.0 && dGiven < params.td / 2)
    return dGiven;
  return 0.0;
}

double CSpectrum::GetGroupDelay() const {
  return GetGroupDelayOf(m_paramsA);
}

namespace {

// Pixels per data unit of a spectrum's drawing; a zero largest value counts
// as 1 so that all-zero data draw on the zero line.
long double VerticalGain(const CSpectrum& s) {
  const float fLargest = s.GetLargestValue();
  long double largest = fLargest != 0.0f ? (long double)fLargest : 1.0L;
  return (long double)s.m_fVerticalScale * (long double)s.m_fIntensityStep / largest;
}

int ZeroLine(const CSpectrum& s) {
  return (s.m_rectPlot.top + s.m_rectPlot.bottom) / 2;
}

}  // namespace

int CSpectrum::PointToY(int nIndex) const {
  if (m_pData == nullptr || nIndex < 0 || nIndex >= m_paramsA.td)
    return ZeroLine(*this);
  return SaturatingInt(ZeroLine(*this) - VerticalGain(*this) * m_pData[nIndex]);
}

int CSpectrum::ValueToY(float fValue) const {
  return SaturatingInt(ZeroLine(*this) - VerticalGain(*this) * fValue);
}

double CSpectrum::YToValue(double y) const {
  return (double)((ZeroLine(*this) - (long double)y) / VerticalGain(*this));
}

double CSpectrum::GetAcquisitionTime() const {
  const CSpectrumParams& p = m_paramsA;
  if (p.acquiredTd > 0 && p.acquiredTd < p.td)
    return p.aq * p.acquiredTd / p.td;
  return p.aq;
}

double CSpectrum::ConvertUnits(double dIndex, int nUnits) const {
  const CSpectrumParams& p = m_paramsA;
  switch (nUnits) {
    case AXIS_UNITS_POINTS:
      return SaturatingInt(dIndex) / 2;
    case AXIS_UNITS_SECONDS:
      return p.td != 0 ? dIndex * p.aq / p.td : 0.0;
    case AXIS_UNITS_HZ:
      return p.td != 0 ? p.sw - p.sw * (dIndex + p.offset) / p.td : 0.0;
    case AXIS_UNITS_PPM:
      if (p.td == 0 || p.sf == 0.0)
        return 0.0;
      return (p.sw - p.sw * (dIndex + p.offset) / p.td) / p.sf;
    default:
      return 0.0;
  }
}

void CSpectrum::FindMaximum() const {
  m_fMaxValue = 0.0f;
  m_nMaxIndex = 0;
  m_bDataChanged = 0;
  if (m_pData == nullptr || m_paramsA.td < 1)
    return;
  float fBest = m_pData[0];
  int nBest = 0;
  for (int i = 2; i < m_paramsA.td; i += 2) {
    if (std::fabs(m_pData[i]) > std::fabs(fBest)) {
      fBest = m_pData[i];
      nBest = i;
    }
  }
  m_fMaxValue = std::fabs(fBest);
  m_nMaxIndex = nBest;
}

void CSpectrum::SetFrequencyDomain(BOOL bQuadrature, BOOL bComplexMode, BYTE bConjugated, BOOL bBrukerImport) {
  m_bTransformed = 1;
  m_paramsB.bComplex = bQuadrature ? 1 : 0;
  m_paramsB.aqmode = bComplexMode ? 1 : 0;
  m_paramsB.bConjugate = bConjugated;
  m_paramsA.aqmode = 1;
  m_paramsA.bComplex = 0;
  m_paramsA.DECIM = 0;
  m_paramsA.bConjugate = bBrukerImport ? 0 : 1;
  m_bDataChanged = 1;
  m_Scale.m_nUnits = AXIS_UNITS_PPM;
}

// An all-zero spectrum has nothing to normalise to and stays as it is.
void CSpectrum::Normalize() {
  FindMaximum();
  if (m_pData == nullptr || m_fMaxValue == 0.0f)
    return;
  const long double largest = m_fMaxValue;
  for (int i = 0; i < m_paramsA.td; i++)
    m_pData[i] = (float)(m_pData[i] / largest);
  m_bDataChanged = 1;
}
