#include "onedim/document/BrivaneProDoc.h"

#include <algorithm>
#include <cassert>
#include <cmath>

#include "onedim/model/AxisScale.h"
#include "onedim/model/TextLabel.h"
#include "onedim/document/SettingsStore.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/SpectrumParams.h"
#include "onedim/model/Integral.h"
#include "numerics/Saturate.h"
#include "onedim/model/WindowFunction.h"
#include "onedim/plot/ViewGeometry.h"
#include "numerics/Constants.h"

// --- Host defaults: a host without windows does nothing and answers "none" ---

CDocumentHost::~CDocumentHost() = default;
BOOL CDocumentHost::GetViewClientRect(RECT* pRect) {
  if (pRect != nullptr)
    *pRect = RECT();
  return FALSE;
}
void CDocumentHost::SetScaleRuler(int, int) {}
void CDocumentHost::SetScaleUnitsEntry(int) {}
void CDocumentHost::SetHorzScrollBar(int, int, int, int, BOOL) {}
BOOL CDocumentHost::IsArithmeticBarVisible() {
  return FALSE;
}
void CDocumentHost::SetArithmeticFactor(LPCSTR, int) {}
void CDocumentHost::ShowRelaxationPick(LPCSTR) {}
int CDocumentHost::ShowMessage(LPCSTR, UINT) {
  return IDOK;
}
void CDocumentHost::SetDocumentModified(BOOL) {}
BOOL CDocumentHost::IsDocumentModified() {
  return FALSE;
}
void CDocumentHost::SetDocumentTitle(LPCSTR) {}
void CDocumentHost::PumpOneMessage() {}
void CDocumentHost::UpdateDocumentViews() {}
void CDocumentHost::ShowImportWait(BOOL) {}
void CDocumentHost::GetItemsBlock(std::vector<BYTE>& block) {
  block.clear();
}
void CDocumentHost::TakeItemsBlock(const std::vector<BYTE>&, BOOL) {}

CSpectrum* CSpectrumList::GetSpectrum(POSITION& rPos) const {
  return static_cast<CSpectrum*>(GetNext(rPos));
}

CBrivaneProDoc::CBrivaneProDoc(CDocumentHost* pHost)
    : m_nMouseMode(MOUSE_NONE),
      m_nStackDirection(0),
      m_nSelectedPeakRecord(0),
      m_nSelectedPeak(0),
      m_nSelectedCoupling(0),
      m_nSelectedCouplingEntry(0),
      m_pCurrent(nullptr),
      m_pSecond(nullptr),
      m_nSpectra(0),
      m_crBackground(RGB(255, 255, 255)),
      m_pBaselinePoints(nullptr),
      m_pBaselineCurve(nullptr),
      m_nRelaxationStart(0),
      m_nRelaxationEnd(0),
      m_bRelaxationIntegral(0),
      m_bShowGrid(0),
      m_bZoomAll(0),
      m_bAutoResize(1),
      m_nShowProgress(0),
      m_bMoveIntegralsTogether(0),
      m_crIntegral(RGB(255, 0, 0)),
      m_nShowActiveIcon(1),
      m_dLayoutStepY(20.0),
      m_dLayoutStepX(20.0),
      m_dLayoutLeft(0.0),
      m_dLayoutZero(50.0),
      m_nAutoLayout(1),
      m_crDefaultTrace(RGB(0, 0, 255)),
      m_bPeakListOpen(0),
      m_bBaselineDialogMode(1),
      m_bFitKind(0),
      m_bFullView(0),
      m_bLayoutPending(0),
      m_bBaselineInProgress(0),
      m_bBaselineToSubtract(0),
      m_nZoomBoxStyle(0),
      m_fToolValue(100.0f),
      m_nToolValue(0),
      m_nShowOnlyCurrentScale(0),
      m_bAutoPhase(1),
      m_pPeakList(nullptr),
      m_pCouplingTable(nullptr),
      m_bLabelArrow(0),
      m_pHost(pHost) {
  assert(pHost != nullptr);
}

CBrivaneProDoc::~CBrivaneProDoc() {
  RemoveAllSpectra();
  DeleteBaselineGraphs();
}

CSpectrum* CBrivaneProDoc::AddSpectrum(const CSpectrumParams& params, BOOL bAtEnd) {
  CSpectrum* pSpectrum = new CSpectrum(params);
  if (bAtEnd)
    m_Spectra.AddTail(pSpectrum);
  else
    m_Spectra.AddHead(pSpectrum);
  SetModified(TRUE);
  return pSpectrum;
}

CSpectrum* CBrivaneProDoc::GetSpectrumAt(int nIndex) const {
  POSITION pos = m_Spectra.FindIndex(nIndex);
  return pos != nullptr ? static_cast<CSpectrum*>(m_Spectra.GetAt(pos)) : nullptr;
}

void CBrivaneProDoc::Forget(CSpectrum* pSpectrum) {
  if (m_pCurrent == pSpectrum)
    m_pCurrent = nullptr;
  if (m_pSecond == pSpectrum)
    m_pSecond = nullptr;
  m_Arithmetic.Forget(pSpectrum);
}

void CBrivaneProDoc::RemoveSpectrum(CSpectrum* pSpectrum) {
  POSITION pos = m_Spectra.Find(pSpectrum);
  if (pos == nullptr)
    return;
  BOOL bWasCurrent = (m_pCurrent == pSpectrum);
  m_Spectra.RemoveAt(pos);
  Forget(pSpectrum);
  if (bWasCurrent) {
    // The selections of the peak list and the coupling table were its own.
    m_nSelectedPeakRecord = m_nSelectedPeak = 0;
    m_nSelectedCoupling = m_nSelectedCouplingEntry = 0;
  }
  delete pSpectrum;
  m_nSpectra = m_Spectra.GetCount();
  if (bWasCurrent && !m_Spectra.IsEmpty())
    SetCurrentSpectrum(static_cast<CSpectrum*>(m_Spectra.GetHead()));
}

void CBrivaneProDoc::RemoveAllSpectra() {
  while (!m_Spectra.IsEmpty()) {
    CSpectrum* pSpectrum = static_cast<CSpectrum*>(m_Spectra.RemoveHead());
    Forget(pSpectrum);
    delete pSpectrum;
  }
  m_pCurrent = m_pSecond = nullptr;
  m_nSpectra = 0;
  m_nSelectedPeakRecord = m_nSelectedPeak = 0;
  m_nSelectedCoupling = m_nSelectedCouplingEntry = 0;
}

void CBrivaneProDoc::RemoveIntegral(CSpectrum* pSpectrum, int nIndex) {
  if (pSpectrum == nullptr || nIndex < 0 || nIndex >= pSpectrum->m_arrIntegrals.GetSize())
    return;
  CIntegral* pIntegral = static_cast<CIntegral*>(pSpectrum->m_arrIntegrals.GetAt(nIndex));
  pSpectrum->m_arrIntegrals.RemoveAt(nIndex);
  if (pSpectrum->m_pSelectedIntegral == pIntegral)
    pSpectrum->m_pSelectedIntegral = nullptr;
  delete pIntegral;
}

int CBrivaneProDoc::UnitsEntry(int nUnits) {
  // The scale bar lists seconds, ppm, Hz, points.
  switch (nUnits) {
    case AXIS_UNITS_POINTS:
      return 3;
    case AXIS_UNITS_SECONDS:
      return 0;
    case AXIS_UNITS_HZ:
      return 2;
    case AXIS_UNITS_PPM:
      return 1;
    default:
      return 0;
  }
}

void CBrivaneProDoc::ShowScaleRuler(const CSpectrum& spectrum) {
  const long long nBand = (long long)spectrum.m_rectPlot.right - spectrum.m_rectPlot.left;
  if (nBand > 0)
    m_pHost->SetScaleRuler(ClampToInt(spectrum.m_nLeftPixel * 100LL / nBand),
                           ClampToInt(spectrum.m_nRightPixel * 100LL / nBand));
  else
    m_pHost->SetScaleRuler(0, 100);
}

void CBrivaneProDoc::ShowScrollBarFor(const CSpectrum& spectrum) {
  const int td = spectrum.m_paramsA.td;
  const int nFirst = spectrum.m_nFirst, nLast = spectrum.m_nLast;
  const BOOL bAllVisible = nFirst <= 0 && nLast >= td;
  m_pHost->SetHorzScrollBar(0, td, ClampToInt((long long)nLast - nFirst), nFirst, !bAllVisible);
}

void CBrivaneProDoc::SetCurrentSpectrum(CSpectrum* pSpectrum) {
  if (pSpectrum == nullptr)
    return;
  BOOL bFloating = (m_pCurrent != nullptr ? m_pCurrent : pSpectrum)->m_Scale.IsFloating();
  m_pCurrent = pSpectrum;

  ShowScaleRuler(*pSpectrum);
  ShowScrollBarFor(*pSpectrum);

  for (POSITION pos = m_Spectra.GetHeadPosition(); pos != nullptr;) {
    CSpectrum* p = m_Spectra.GetSpectrum(pos);
    p->m_bShowScale = m_nShowOnlyCurrentScale ? 0 : 1;
    p->m_Scale.SetFloating(true);
    p->m_bPhaseDisplay = 0;
  }
  pSpectrum->m_bShowScale = 1;
  pSpectrum->m_Scale.SetFloating(bFloating != 0);
  m_pHost->SetScaleUnitsEntry(UnitsEntry(pSpectrum->m_Scale.m_nUnits));

  if (m_pHost->IsArithmeticBarVisible() && (pSpectrum == m_Arithmetic.m_pA || pSpectrum == m_Arithmetic.m_pB)) {
    float fFactor = pSpectrum == m_Arithmetic.m_pA ? m_Arithmetic.m_fFactorA : m_Arithmetic.m_fFactorB;
    CString text;
    text.Format("%.2lf", (double)fFactor);
    double dPos = std::isfinite(fFactor) ? std::trunc((double)fFactor * 100.0) : 0.0;
    m_pHost->SetArithmeticFactor(text, ClampToInt((long long)std::fmax(std::fmin(dPos, 2e9), -2e9)));
  }
}

void CBrivaneProDoc::ClearHoverMarks() {
  if (m_pCurrent != nullptr) {
    m_pCurrent->m_bSelectedPeakShown = 0;
    m_pCurrent->m_bSelectedJShown = 0;
  }
  UpdateViews();
}

int CBrivaneProDoc::PixelToPoint(int x) const {
  return m_pCurrent != nullptr ? SpectrumPixelToPoint(*m_pCurrent, x) : x;
}

int CBrivaneProDoc::PointToPixel(int nIndex) const {
  return m_pCurrent != nullptr ? SpectrumPointToPixel(*m_pCurrent, nIndex) : nIndex;
}

BOOL CBrivaneProDoc::ZoomToPixels(int xA, int xB) {
  CSpectrum* pCurrent = m_pCurrent;
  VisibleRange range;
  if (pCurrent == nullptr || !MapBandToRange(*pCurrent, xA, xB, range))
    return FALSE;
  if (m_bZoomAll) {
    for (POSITION pos = m_Spectra.GetHeadPosition(); pos != nullptr;) {
      CSpectrum* s = m_Spectra.GetSpectrum(pos);
      VisibleRange mapped;
      // A spectrum the band misses keeps what it shows.
      if (s != pCurrent && MapRangeThroughHz(*pCurrent, range, *s, mapped)) {
        s->m_nFirst = mapped.nFirst;
        s->m_nLast = mapped.nLast;
      }
    }
  }
  pCurrent->m_nFirst = range.nFirst;
  pCurrent->m_nLast = range.nLast;
  m_pHost->SetHorzScrollBar(0, pCurrent->m_paramsA.td, range.nLast - range.nFirst, range.nFirst, TRUE);
  UpdateViews();
  return TRUE;
}

void CBrivaneProDoc::SetRelaxationPoint(int nIndex) {
  m_RelaxationPeak.m_nIndex = nIndex;
  m_bRelaxationIntegral = 0;
  m_nMouseMode = MOUSE_NONE;
  CString text;
  text.Format("Point position= %d", nIndex);
  m_pHost->ShowRelaxationPick(text);
  UpdateViews();
}

void CBrivaneProDoc::SetRelaxationRegion(int nFirst, int nLast) {
  m_nRelaxationStart = nFirst;
  m_nRelaxationEnd = nLast;
  m_bRelaxationIntegral = 1;
  m_nMouseMode = MOUSE_NONE;
  CString text;
  text.Format("Integral region=( %d, %d) points", nFirst / 2, nLast / 2);
  m_pHost->ShowRelaxationPick(text);
  UpdateViews();
}

void CBrivaneProDoc::WriteSharedValues() {
  const CSpectrum* s = m_pCurrent;
  if (s == nullptr)
    return;
  CSettingsStore& settings = m_pHost->GetSettings();
  if (!settings.OpenSharedKey()) {
    m_pHost->ShowMessage("Failed to open registry\n", MB_OK);
    return;
  }
  int td = s->m_paramsA.td;
  double dPivotPart = td != 0 ? s->m_nPivot * s->m_dPhase1 / td : 0.0;
  settings.WriteSharedDouble("ph0", (s->m_dPhase0 - dPivotPart) * kRadToDeg);
  settings.WriteSharedDouble("ph1", s->m_dPhase1 * kRadToDeg);

  const CWindowFunction* w = s->m_pWindow;
  if (w == nullptr)
    return;
  // The nD program numbers the window types its own way.
  switch (w->m_nType) {
    case CWindowFunction::Gaussian:
      settings.WriteSharedInt("type", 1);
      settings.WriteSharedDouble("lb", w->m_LB);
      settings.WriteSharedDouble("gb", w->m_GaussShift);
      break;
    case CWindowFunction::LorentzGauss:
      settings.WriteSharedInt("type", 4);
      settings.WriteSharedDouble("lb", w->m_LB);
      settings.WriteSharedDouble("gb", w->m_GB);
      break;
    case CWindowFunction::Traficante:
      settings.WriteSharedInt("type", 5);
      settings.WriteSharedDouble("lb", w->m_LB);
      break;
    case CWindowFunction::SineBell:
      settings.WriteSharedInt("type", 2);
      settings.WriteSharedDouble("lb", w->m_SineShift);
      break;
    case CWindowFunction::SineSquared:
      settings.WriteSharedInt("type", 3);
      settings.WriteSharedDouble("lb", w->m_SineShift);
      break;
    case CWindowFunction::Hamming:
      settings.WriteSharedInt("type", 6);
      break;
    case CWindowFunction::Hanning:
      settings.WriteSharedInt("type", 7);
      break;
    default:  // exponential, and any other value, which acts as exponential
      settings.WriteSharedInt("type", 0);
      settings.WriteSharedDouble("lb", w->m_LB);
      break;
  }
}

BOOL CBrivaneProDoc::CopyData() {
  const CSpectrum* s = m_pCurrent;
  if (s == nullptr || s->m_pData == nullptr)
    return FALSE;
  int nFirst = std::max(0, std::min(s->m_nFirst, s->m_paramsA.td));
  int nLast = std::max(nFirst, std::min(s->m_nLast, s->m_paramsA.td));
  return m_DataBuffer.Copy(s->m_pData + nFirst, nLast - nFirst);
}

BOOL CBrivaneProDoc::PasteData() {
  return ApplyDataBuffer(1.0f, FALSE);
}

BOOL CBrivaneProDoc::SumData(float fFactor) {
  return ApplyDataBuffer(fFactor, TRUE);
}

BOOL CBrivaneProDoc::ApplyDataBuffer(float fFactor, BOOL bAdd) {
  CSpectrum* s = m_pCurrent;
  if (s == nullptr || s->m_pData == nullptr || !m_DataBuffer.HasData())
    return FALSE;
  int nFirst = std::max(0, std::min(s->m_nFirst, s->m_paramsA.td));
  int nLast = std::max(nFirst, std::min(s->m_nLast, s->m_paramsA.td));
  m_DataBuffer.Apply(s->m_pData + nFirst, nLast - nFirst, fFactor, bAdd);
  s->m_bDataChanged = 1;
  SetModified(TRUE);
  UpdateViews();
  return TRUE;
}

BOOL CBrivaneProDoc::ByteSwapSpectrum() {
  CSpectrum* s = m_pCurrent;
  if (s == nullptr || s->m_pData == nullptr)
    return FALSE;
  for (int i = 0; i < s->m_paramsA.td; i++) {
    // Values beyond the integer range stick at its ends (NaN gives 0)
    // instead of converting undefined.
    int nWord = SaturatingInt(s->m_pData[i]);
    SwapBytes32(&nWord, 1);
    s->m_pData[i] = (float)nWord;
  }
  s->m_bDataChanged = 1;
  SetModified(TRUE);
  UpdateViews();
  GetHistory().AddLine("Byte Swap");
  return TRUE;
}

BOOL CBrivaneProDoc::DeleteCurrentSpectrum() {
  if (m_pCurrent == nullptr || GetSpectrumCount() < 2)
    return FALSE;
  RemoveSpectrum(m_pCurrent);
  SetModified(TRUE);
  UpdateViews();
  return TRUE;
}
