// The Process commands of the 1D document, apart from their dialogs.
#include <algorithm>
#include <cmath>
#include <new>
#include <vector>

#include "onedim/document/BrivaneProDoc.h"
#include "onedim/model/AxisScale.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/WindowFunction.h"
#include "onedim/processing/AutoPhase.h"
#include "onedim/processing/FidFilterStep.h"
#include "onedim/processing/FourierTransformStep.h"
#include "onedim/processing/PolarConversion.h"
#include "onedim/processing/SoftThresholding.h"

namespace {

const char kFourierTransform[] = "Fourier Transform";
const char kNoImaginaryPart[] = "The spectrum has no imaginary part: it cannot be phased";
const int kUnitsEntryPpm = 1;

// The transform shown in progress: a redraw and one message per stage.
void ShowProgress(void* pContext) {
  CBrivaneProDoc* pDoc = static_cast<CBrivaneProDoc*>(pContext);
  if (pDoc->m_nShowProgress) {
    pDoc->UpdateViews();
    pDoc->GetHost()->PumpOneMessage();
  }
}

// Puts the data into polar form (flag clear) or back (flag set); true when
// they are in polar form now.
bool TogglePolarForm(CSpectrum& s, BYTE& bApplied, void (*pfnToPolar)(float*, int), bool bSquared) {
  const int nPairs = s.m_paramsA.td / 2;
  s.m_bDataChanged = 1;
  if (!bApplied) {
    pfnToPolar(s.m_pData, nPairs);
    bApplied = 1;
    return true;
  }
  // The power form holds the square of the modulus: its root first, or the
  // way back would square every line.
  if (bSquared)
    for (int k = 0; k < nPairs; k++)
      s.m_pData[2 * k] = std::sqrt(std::max(0.0f, s.m_pData[2 * k]));
  PolarToCartesian(s.m_pData, nPairs);
  bApplied = 0;
  return false;
}

}  // namespace

void CBrivaneProDoc::InitFourierTransform(CFourierTransformOptions& options, BOOL& bApplyToAll,
                                          BOOL& bAutophase) const {
  options = CFourierTransformOptions();
  if (m_pCurrent != nullptr)
    InitFourierTransformOptions(*m_pCurrent, options);
  options.bDriftCorrection = m_pHost->GetAppState().m_bFtDriftCorrection;
  bApplyToAll = m_pHost->GetAppState().m_bFtApplyToAll;
  bAutophase = m_bAutoPhase;
}

BOOL CBrivaneProDoc::FourierTransform(const CFourierTransformOptions& options, BOOL bApplyToAll, BOOL bAutophase) {
  if (m_pCurrent == nullptr || IsTransformRunning())
    return FALSE;
  CBrivaneAppState& app = GetAppState();
  m_bAutoPhase = bAutophase ? 1 : 0;
  GetHistory().AddLine(kFourierTransform);
  app.m_bFtApplyToAll = bApplyToAll;
  app.m_bFtDriftCorrection = options.bDriftCorrection;

  CFourierTransformOptions run = options;
  run.bBrukerImport = app.m_nImportType == 0 ? TRUE : FALSE;
  BOOL bDone = FALSE;
  for (int i = 0; i < GetSpectrumCount(); i++) {
    CSpectrum* pSpectrum = GetSpectrumAt(i);
    if (!bApplyToAll && pSpectrum != m_pCurrent)
      continue;
    const char* pszMessage = nullptr;
    const BOOL bPrepared = PrepareSpectrumForTransform(*pSpectrum, run, &pszMessage);
    if (pszMessage != nullptr)
      m_pHost->ShowMessage(pszMessage, MB_OK | MB_ICONEXCLAMATION);
    if (!bPrepared)
      continue;
    pszMessage = nullptr;
    // Without the redraws the transform may take its stages in the order
    // that suits the cache.
    if (!TransformSpectrum(*pSpectrum, run, m_nShowProgress ? ShowProgress : nullptr, this, &pszMessage)) {
      if (pszMessage != nullptr)
        m_pHost->ShowMessage(pszMessage, MB_OK | MB_ICONEXCLAMATION);
      continue;
    }
    bDone = TRUE;
    if (bAutophase && !options.bInverse) {
      // The search phases the fresh transform as it stands: phases applied
      // to the data before would otherwise be taken off its result.
      pSpectrum->m_dPhase0 = 0.0;
      pSpectrum->m_dPhase1 = 0.0;
      AutoPhaseSpectrum(*pSpectrum);
    }
    if (bApplyToAll)
      GetHistory().AddLine(kFourierTransform);
  }

  m_pHost->SetScaleUnitsEntry(kUnitsEntryPpm);
  if (bDone && !options.bInverse && GetSpectrumCount() == 1 && !m_pCurrent->m_Scale.IsFloating()) {
    // The view's client rectangle is the one the scale kept from its last
    // drawing; a spectrum not drawn yet has kept none and takes the view's own.
    RECT rcClient = m_pCurrent->m_Scale.m_rectClient;
    if (rcClient.bottom <= rcClient.top)
      m_pHost->GetViewClientRect(&rcClient);
    LayOutAsSpectrum(*m_pCurrent, rcClient);
  }
  SetModified();
  UpdateViews();
  return bDone;
}

BOOL CBrivaneProDoc::AutoPhaseSpectrum(CSpectrum& spectrum) {
  const int n = spectrum.m_paramsA.td / 2;
  if (spectrum.m_pData == nullptr || n < 1)
    return FALSE;
  std::vector<float> points;
  try {
    points.assign(spectrum.m_pData, spectrum.m_pData + 2 * (std::size_t)n);
  } catch (const std::bad_alloc&) {
    return FALSE;
  }
  const float* pPhases = autophase(n, points.data());
  spectrum.m_nPivot = 0;
  spectrum.SetPhase(pPhases[0], pPhases[1]);
  spectrum.m_bDataChanged = 1;
  SetModified();
  UpdateViews();
  return TRUE;
}

BOOL CBrivaneProDoc::CheckPhaseable(const CSpectrum& spectrum) {
  if (!spectrum.m_bTransformed || spectrum.m_pData == nullptr)
    return TRUE;
  for (int i = 1; i < spectrum.m_paramsA.td; i += 2)
    if (spectrum.m_pData[i] != 0.0f)
      return TRUE;
  m_pHost->ShowMessage(kNoImaginaryPart, MB_OK | MB_ICONEXCLAMATION);
  return FALSE;
}

BOOL CBrivaneProDoc::AutophaseCurrent() {
  return m_pCurrent != nullptr && CheckPhaseable(*m_pCurrent) && AutoPhaseSpectrum(*m_pCurrent);
}

BOOL CBrivaneProDoc::ZeroFilling(int nPoints) {
  BOOL bDone = FALSE;
  if (m_pCurrent != nullptr) {
    // A smaller size cuts the data. An odd one would split a complex pair,
    // and a spectrum needs at least one.
    if (nPoints < 2 || nPoints % 2 != 0) {
      m_pHost->ShowMessage("The number of points must be even and at least 2", MB_OK | MB_ICONEXCLAMATION);
    } else {
      const char* pszMessage = nullptr;
      bDone = m_pCurrent->ZeroFill(nPoints, &pszMessage);
      if (bDone) {
        const int nNewTd = m_pCurrent->m_paramsA.td;
        m_pHost->SetHorzScrollBar(0, nNewTd, nNewTd, 0, TRUE);
        GetHistory().AddLine("Zero Filling");
      } else if (pszMessage != nullptr) {
        m_pHost->ShowMessage(pszMessage, MB_OK | MB_ICONEXCLAMATION);
      }
    }
  }
  SetModified();
  UpdateViews();
  return bDone;
}

void CBrivaneProDoc::ToggleMagnitude() {
  if (m_pCurrent != nullptr && m_pCurrent->m_pData != nullptr)
    GetHistory().AddLine(TogglePolarForm(*m_pCurrent, m_pCurrent->m_State.m_bMagnitude, ToMagnitude, false)
                             ? "Magnitude"
                             : "Inverse Magnitude");
  SetModified();
  UpdateViews();
}

void CBrivaneProDoc::TogglePower() {
  if (m_pCurrent != nullptr && m_pCurrent->m_pData != nullptr)
    GetHistory().AddLine(TogglePolarForm(*m_pCurrent, m_pCurrent->m_State.m_bPower, ToPower, true)
                             ? "Power Spectrum"
                             : "Inverse Power Spectrum");
  SetModified();
  UpdateViews();
}

void CBrivaneProDoc::SwapSpectrum() {
  if (m_pCurrent == nullptr)
    return;
  m_pCurrent->Reverse();
  m_pCurrent->m_bDataChanged = 1;
  SetModified();
  UpdateViews();
}

void CBrivaneProDoc::InvertSpectrum() {
  if (m_pCurrent == nullptr || m_pCurrent->m_pData == nullptr)
    return;
  for (int i = 0; i < m_pCurrent->m_paramsA.td; i++)
    m_pCurrent->m_pData[i] = -m_pCurrent->m_pData[i];
  m_pCurrent->m_bDataChanged = 1;
  SetModified();
  UpdateViews();
}

void CBrivaneProDoc::TwoPointBaseline() {
  if (m_pCurrent == nullptr)
    return;
  m_pCurrent->RemoveDCOffset();
  m_pCurrent->m_bDataChanged = 1;
  SetModified();
  UpdateViews();
}

BOOL CBrivaneProDoc::SoftThresholding(int nIterations, int nZeroFill, int nThresholdY) {
  CSpectrum* s = m_pCurrent;
  if (s == nullptr)
    return FALSE;
  const char* pszMessage = nullptr;
  const BOOL bBruker = GetAppState().m_nImportType == 0;
  if (!ExtendBySoftThresholding(*s, nIterations, nZeroFill, s->YToValue(nThresholdY), bBruker, &pszMessage)) {
    if (pszMessage != nullptr)
      m_pHost->ShowMessage(pszMessage, MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
  }
  const int td = s->m_paramsA.td;
  m_pHost->SetHorzScrollBar(0, td, td, 0, TRUE);
  SetModified();
  UpdateViews();
  return TRUE;
}

double CBrivaneProDoc::GetCentreShift() const {
  return m_pCurrent != nullptr ? m_pCurrent->ConvertUnits(m_pCurrent->m_paramsA.td / 2, AXIS_UNITS_PPM) : 0.0;
}

BOOL CBrivaneProDoc::FilterFid(int nSelectivity, double dOffsetHz, BOOL bHighPass) {
  if (m_pCurrent == nullptr || !FilterSpectrumFid(*m_pCurrent, nSelectivity, dOffsetHz, bHighPass))
    return FALSE;
  SetModified();
  UpdateViews();
  return TRUE;
}

void CBrivaneProDoc::PrepareApodize() {
  CWindowFunction* pWindow = m_pCurrent != nullptr ? m_pCurrent->m_pWindow : nullptr;
  if (pWindow == nullptr)
    return;
  CBrivaneAppState& app = GetAppState();
  if (!app.m_bApodizeCurveKept) {
    app.m_crApodizeCurve = pWindow->m_Colour;
    app.m_nApodizeCurveWidth = pWindow->m_nPenWidth;
    app.m_bApodizeCurveKept = TRUE;
  }
  pWindow->m_LB = app.m_fApodizeLB;
  pWindow->m_GB = app.m_fApodizeGB;
  pWindow->m_GaussShift = app.m_fApodizeGaussShift;
  pWindow->m_SineShift = app.m_fApodizeSineShift;
}

void CBrivaneProDoc::FinishApodize(COLORREF crCurve) {
  CBrivaneAppState& app = GetAppState();
  app.m_crApodizeCurve = crCurve;
  if (const CWindowFunction* pWindow = m_pCurrent != nullptr ? m_pCurrent->m_pWindow : nullptr) {
    app.m_fApodizeLB = pWindow->m_LB;
    app.m_fApodizeGB = pWindow->m_GB;
    app.m_fApodizeGaussShift = pWindow->m_GaussShift;
    app.m_fApodizeSineShift = pWindow->m_SineShift;
  }
  GetHistory().AddLine("Apodization");
  SetModified();
  UpdateViews();
}
