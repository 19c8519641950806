// The integral commands of the 1D document: display options and the
// correction of the baseline under integrals.
#include <algorithm>
#include <cmath>

#include "onedim/document/BrivaneProDoc.h"
#include "onedim/document/SettingsStore.h"
#include "onedim/model/Integral.h"
#include "onedim/model/Spectrum.h"

namespace {

// Scroll codes of a scroll bar, as the window system numbers them.
enum { kLineLeft = 0, kLineRight = 1, kPageLeft = 2, kPageRight = 3, kThumbPosition = 4, kThumbTrack = 5 };

template <class F>
void ForTargets(CSpectrum* s, BOOL bAll, F apply) {
  if (s == nullptr)
    return;
  if (!bAll) {
    if (s->m_pSelectedIntegral != nullptr)
      apply(*s->m_pSelectedIntegral);
    return;
  }
  for (INT_PTR i = 0; i < s->m_arrIntegrals.GetSize(); i++)
    apply(*static_cast<CIntegral*>(s->m_arrIntegrals.GetAt(i)));
}

}  // namespace

int IntegralScrollPosition(int nCode, int nPos, int nTrack, int nHalfRange, int nLine, int nPage) {
  switch (nCode) {
    case kLineLeft:
      nPos -= nLine;
      break;
    case kLineRight:
      nPos += nLine;
      break;
    case kPageLeft:
      nPos -= nPage;
      break;
    case kPageRight:
      nPos += nPage;
      break;
    case kThumbPosition:
    case kThumbTrack:
      nPos = nTrack;
      break;
    default:
      break;
  }
  return std::min(std::max(nPos, -nHalfRange), nHalfRange);
}

void CBrivaneProDoc::GetIntegralOptions(CIntegralOptions& o) const {
  o.crColour = m_crIntegral;
  o.bMoveTogether = m_bMoveIntegralsTogether;
  const CSpectrum* s = m_pCurrent;
  if (s == nullptr)
    return;
  o.bShowCurves = s->m_nShowIntegralCurves;
  o.bShowValues = s->m_nShowIntegralValues;
  o.bRectangle = s->m_nIntegralRectangle;
  o.nWidthIndex = std::min(std::max(s->m_nIntegralLineWidth, 1), 10) - 1;
  o.bRotate = s->m_bVerticalIntegralLabels;
  o.bOnTop = s->m_nIntegralsOnTop;
  o.nDistance = s->m_nIntegralDistance;
  o.font.SetLogFont(s->m_IntegralFont.GetLogFont());
  o.font.SetTextColour(s->m_IntegralFont.GetTextColour());
}

void CBrivaneProDoc::ApplyIntegralOptions(const CIntegralOptions& o) {
  CSpectrum* s = m_pCurrent;
  m_crIntegral = o.crColour;
  m_bMoveIntegralsTogether = o.bMoveTogether ? 1 : 0;
  if (s != nullptr) {
    s->m_nShowIntegralCurves = o.bShowCurves;
    s->m_nShowIntegralValues = o.bShowValues;
    s->m_nIntegralRectangle = o.bRectangle;
    s->m_nIntegralLineWidth = std::min(std::max(o.nWidthIndex, 0), 9) + 1;
    s->m_bVerticalIntegralLabels = o.bRotate ? 1 : 0;
    s->m_nIntegralsOnTop = o.bOnTop;
    s->m_nIntegralDistance = std::min(std::max(o.nDistance, -100), 100);
    s->m_IntegralFont.SetLogFont(o.font.GetLogFont());
    s->m_IntegralFont.SetTextColour(o.font.GetTextColour());
    // The integrals' colours are kept in the file.
    ForTargets(s, TRUE, [&](CIntegral& in) {
      if (in.m_crColour != o.crColour)
        SetModified();
      in.m_crColour = o.crColour;
    });
    CSettingsStore& settings = m_pHost->GetSettings();
    settings.WriteProfileInt("Integration", "OnTop", s->m_nIntegralsOnTop);
    settings.WriteProfileInt("Integration", "ShowValue", s->m_nShowIntegralValues);
    settings.WriteProfileInt("Integration", "ShowCurve", s->m_nShowIntegralCurves);
    settings.WriteProfileInt("Integration", "Rectangle", s->m_nIntegralRectangle);
    settings.WriteProfileInt("Integration", "Width", s->m_nIntegralLineWidth);
    settings.WriteProfileInt("Integration", "Distance", s->m_nIntegralDistance);
    settings.WriteProfileInt("Integration", "Vertical", s->m_bVerticalIntegralLabels);
    settings.WriteProfileString("Integration", "Font", s->m_IntegralFont.GetFontString());
  }
  UpdateViews();
}

void CBrivaneProDoc::SetIntegralCorrection(BOOL bSlope, double dValue, BOOL bAll) {
  ForTargets(m_pCurrent, bAll, [&](CIntegral& in) {
    in.m_bAutoCorrect = 0;
    (bSlope ? in.m_dSlope : in.m_dBias) = dValue;
  });
  UpdateViews();
}

void CBrivaneProDoc::AutoCorrectIntegrals(BOOL bAll) {
  ForTargets(m_pCurrent, bAll, [](CIntegral& in) { in.m_bAutoCorrect = 1; });
  UpdateViews();
}

void CBrivaneProDoc::RestoreIntegralCorrection(double dBias, double dSlope, BOOL bAll) {
  const BOOL bEvery = bAll || (m_pCurrent != nullptr && m_pCurrent->m_pSelectedIntegral == nullptr);
  ForTargets(m_pCurrent, bEvery, [&](CIntegral& in) {
    in.m_dBias = dBias;
    in.m_dSlope = dSlope;
  });
  UpdateViews();
}

BOOL CBrivaneProDoc::SetReferenceIntegral(const CIntegral& integral, double dValue, BOOL bAll) {
  const double dReference = integral.m_dValue / dValue;
  if (dValue == 0.0 || !std::isfinite(dReference))
    return FALSE;
  for (POSITION pos = m_Spectra.GetHeadPosition(); pos != nullptr;) {
    CSpectrum* s = m_Spectra.GetSpectrum(pos);
    if (bAll || s == integral.m_pSpectrum)
      s->m_dIntegralNorm = dReference;
  }
  SetModified();  // the reference is kept in the file
  UpdateViews();
  return TRUE;
}
