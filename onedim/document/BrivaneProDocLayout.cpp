// The View and Layout commands that change how the spectra are drawn:
// intensity, the whole data, expansions and the arrangement of several
// spectra in one view.
#include <new>

#include "framework/base/Exception.h"
#include "numerics/Saturate.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/model/AxisScale.h"
#include "onedim/model/Spectrum.h"

namespace {

// A spectrum's zero line at m, its band across the view's width and its
// trace between two pixels; the axis floats just under the zero line.
void PlaceOnZeroLine(CSpectrum& s, long long m, long long nWidth, long long nLeft, long long nRight) {
  s.m_rectPlot.left = 0;
  s.m_rectPlot.right = ClampToInt(nWidth);
  s.m_rectPlot.top = ClampToInt(m + 5);
  s.m_rectPlot.bottom = ClampToInt(m - 5);
  s.m_Scale.SetPosition(ClampToInt(m + 5));
  s.m_Scale.SetFloating(true);
  s.m_nLeftPixel = ClampToInt(nLeft);
  s.m_nRightPixel = ClampToInt(nRight);
}

BOOL ShowsAllData(const CSpectrum& s) {
  return s.m_nFirst <= 0 && s.m_nLast >= s.m_paramsA.td;
}

}  // namespace

void CBrivaneProDoc::ChangeIntensity(BOOL bIncrease) {
  const BOOL bAll = m_pHost->IsArithmeticBarVisible();
  for (POSITION pos = m_Spectra.GetHeadPosition(); pos != nullptr;) {
    CSpectrum* s = m_Spectra.GetSpectrum(pos);
    if (!bAll && s != m_pCurrent)
      continue;
    if (bIncrease)
      s->m_fVerticalScale *= s->m_fIntensityStep;
    else
      s->m_fVerticalScale /= s->m_fIntensityStep;
  }
  SetModified();
  UpdateViews();
}

void CBrivaneProDoc::ShowFullSpectrum() {
  if (m_pCurrent == nullptr)
    return;
  for (POSITION pos = m_Spectra.GetHeadPosition(); pos != nullptr;) {
    CSpectrum* s = m_Spectra.GetSpectrum(pos);
    if (m_bZoomAll || s == m_pCurrent) {
      s->m_nFirst = 0;
      s->m_nLast = s->m_paramsA.td;
    }
  }
  UpdateViews();
  const int td = m_pCurrent->m_paramsA.td;
  m_pHost->SetHorzScrollBar(0, td, td, 0, FALSE);
}

BOOL CBrivaneProDoc::IsFullSpectrumShown() const {
  if (!m_bZoomAll)
    return m_pCurrent != nullptr && ShowsAllData(*m_pCurrent);
  return !m_Spectra.IsEmpty() && ShowsAllData(*static_cast<const CSpectrum*>(m_Spectra.GetTail()));
}

BOOL CBrivaneProDoc::CreateExpansion() {
  if (m_pCurrent == nullptr)
    return FALSE;
  CSpectrum* pCopy = nullptr;
  try {
    pCopy = new CSpectrum(*m_pCurrent);
  } catch (CMemoryException* e) {
    e->Delete();
  } catch (const std::bad_alloc&) {
  }
  if (pCopy == nullptr) {
    m_pHost->ShowMessage("Memory exhausted. \nExpansion aborted", MB_OK);
    return FALSE;
  }
  m_Spectra.AddTail(pCopy);
  SetModified();
  const double sw = pCopy->m_paramsA.sw;
  pCopy->m_paramsA.aq = sw != 0.0 ? pCopy->m_paramsA.td / (2.0 * sw) : 0.0;
  m_nSpectra = GetSpectrumCount();
  for (POSITION pos = m_Spectra.GetHeadPosition(); pos != nullptr;) {
    CAxisScale& scale = m_Spectra.GetSpectrum(pos)->m_Scale;
    scale.SetFloating(true);
    scale.SetPosition(ClampToInt((long long)scale.GetPosition() + 10));
  }
  UpdateViews();
  return TRUE;
}

void CBrivaneProDoc::ArrangeOverlay() {
  RECT rc;
  m_pHost->GetViewClientRect(&rc);
  const long long W = (long long)rc.right - rc.left, H = (long long)rc.bottom - rc.top;
  const long long n = GetSpectrumCount();
  long long g = 1;
  for (POSITION pos = m_Spectra.GetHeadPosition(); pos != nullptr; g++)
    PlaceOnZeroLine(*m_Spectra.GetSpectrum(pos), g * H / (n + 1), W, 0, W);
  if (m_pCurrent != nullptr)
    ShowScaleRuler(*m_pCurrent);
  SetModified();
  UpdateViews();
}

void CBrivaneProDoc::ArrangeStacked() {
  RECT rc;
  m_pHost->GetViewClientRect(&rc);
  const long long W = (long long)rc.right - rc.left, H = (long long)rc.bottom - rc.top;
  const long long n = GetSpectrumCount();
  // The manual geometry is kept in doubles and used in whole pixels.
  const long long nZero = SaturatingInt(m_dLayoutZero), nLeft = SaturatingInt(m_dLayoutLeft);
  const long long nStepX = SaturatingInt(m_dLayoutStepX), nStepY = SaturatingInt(m_dLayoutStepY);
  long long g = 1;
  for (POSITION pos = m_Spectra.GetHeadPosition(); pos != nullptr; g++) {
    CSpectrum& s = *m_Spectra.GetSpectrum(pos);
    if (!m_nAutoLayout) {
      PlaceOnZeroLine(s, nZero + (g - 1) * nStepY, W, nLeft + (g - 1) * nStepX, W - (n - g) * nStepX);
    } else if (m_nStackDirection == 0) {
      PlaceOnZeroLine(s, H * g / (n + 1), W, (n - g) * H / (n + 1), W - g * H / (n + 1));
    } else if (m_nStackDirection == 1) {
      PlaceOnZeroLine(s, H * g / (n + 1), W, g * H / (n + 1), W - (n - g) * H / (n + 1));
    } else {
      PlaceOnZeroLine(s, H * g / (n + 1), W, s.m_nLeftPixel, s.m_nRightPixel);
    }
  }
  if (m_pCurrent != nullptr)
    ShowScaleRuler(*m_pCurrent);
  SetModified();
  UpdateViews();
}

void CBrivaneProDoc::PlaceSpectrum(int nWidth, int nLeftPercent, int nRightPercent, BOOL bAll) {
  CSpectrum* pCurrent = m_pCurrent;
  if (pCurrent == nullptr)
    return;
  const int nLeftPixel = ClampToInt((long long)nWidth * nLeftPercent / 100);
  const int nRightPixel = ClampToInt((long long)nWidth * nRightPercent / 100);
  if (bAll) {
    const long long nShiftLeft = (long long)nLeftPixel - pCurrent->m_nLeftPixel;
    const long long nShiftRight = (long long)nRightPixel - pCurrent->m_nRightPixel;
    for (POSITION pos = m_Spectra.GetHeadPosition(); pos != nullptr;) {
      CSpectrum* s = m_Spectra.GetSpectrum(pos);
      s->m_nLeftPixel = ClampToInt(s->m_nLeftPixel + nShiftLeft);
      s->m_nRightPixel = ClampToInt(s->m_nRightPixel + nShiftRight);
    }
  } else {
    pCurrent->m_nLeftPixel = nLeftPixel;
    pCurrent->m_nRightPixel = nRightPixel;
  }
  UpdateViews();
}

void CBrivaneProDoc::FitToWidth(int nWidth, BOOL bAll) {
  for (POSITION pos = m_Spectra.GetHeadPosition(); pos != nullptr;) {
    CSpectrum* s = m_Spectra.GetSpectrum(pos);
    if (bAll || s == m_pCurrent) {
      s->m_nLeftPixel = 0;
      s->m_nRightPixel = nWidth;
    }
  }
  m_pHost->SetScaleRuler(0, 100);
  UpdateViews();
}

int CBrivaneProDoc::GetUnitsEntry() const {
  return m_pCurrent != nullptr ? UnitsEntry(m_pCurrent->m_Scale.m_nUnits) : -1;
}

BOOL CBrivaneProDoc::SetUnitsEntry(int nEntry, BOOL bAll) {
  // The list reads "Seconds", "ppm", "Hz", "Points".
  static const int kUnits[] = {AXIS_UNITS_SECONDS, AXIS_UNITS_PPM, AXIS_UNITS_HZ, AXIS_UNITS_POINTS};
  if (nEntry < 0 || nEntry >= 4 || m_pCurrent == nullptr)
    return FALSE;
  for (POSITION pos = m_Spectra.GetHeadPosition(); pos != nullptr;) {
    CSpectrum* s = m_Spectra.GetSpectrum(pos);
    if (bAll || s == m_pCurrent)
      s->m_Scale.m_nUnits = kUnits[nEntry];
  }
  UpdateViews();
  return TRUE;
}
