#include "onedim/document/ApodizeSession.h"

#include <cstring>

#include "onedim/document/BrivaneProDoc.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/WindowFunction.h"
#include "onedim/processing/WindowFunctionStep.h"

void CApodizeSession::Keep(std::vector<Copy>& copies, CSpectrum* pSpectrum, const float* pBuffer) {
  Copy copy{pSpectrum, {}, pSpectrum->m_dPhase0, pSpectrum->m_dPhase1};
  if (pBuffer != nullptr && pSpectrum->m_paramsA.td > 0)
    copy.values.assign(pBuffer, pBuffer + pSpectrum->m_paramsA.td);
  copies.push_back(std::move(copy));
}

void CApodizeSession::KeepWeightedCopies() {
  m_Weighted.clear();
  for (int i = 0; i < m_pDoc->GetSpectrumCount(); i++) {
    CSpectrum* pSpectrum = m_pDoc->GetSpectrumAt(i);
    Keep(m_Weighted, pSpectrum, pSpectrum->m_pWeighted);
  }
}

void CApodizeSession::KeepData() {
  m_Data.clear();
  if (const CSpectrum* pCurrent = m_pDoc->GetCurrentSpectrum()) {
    m_fPhase0 = (float)pCurrent->m_dPhase0;
    m_fPhase1 = (float)pCurrent->m_dPhase1;
  }
  for (int i = 0; i < m_pDoc->GetSpectrumCount(); i++) {
    CSpectrum* pSpectrum = m_pDoc->GetSpectrumAt(i);
    Keep(m_Data, pSpectrum, pSpectrum->m_pData);
    pSpectrum->m_dPhase0 = 0.0;
    pSpectrum->m_dPhase1 = 0.0;
  }
}

void CApodizeSession::StoreParameters(int nType, float fLB, float fGB, float fGaussShift, float fSineShift,
                                      BOOL bApplyToAll) {
  for (int i = 0; i < m_pDoc->GetSpectrumCount(); i++) {
    CSpectrum* pSpectrum = m_pDoc->GetSpectrumAt(i);
    if (pSpectrum->m_pWindow == nullptr || (!bApplyToAll && pSpectrum != m_pDoc->GetCurrentSpectrum()))
      continue;
    CWindowFunction& window = *pSpectrum->m_pWindow;
    window.m_nType = nType;
    window.m_LB = fLB;
    // A GB of 0 would divide by zero in the Lorentz-Gauss weight.
    if (fGB > 0.0f)
      window.m_GB = fGB;
    window.m_GaussShift = fGaussShift;
    window.m_SineShift = fSineShift;
  }
}

BOOL CApodizeSession::Apply(BOOL bApplyToAll, BOOL bInteractive, const char** ppszMessage) {
  BOOL bAll = TRUE;
  for (int i = 0; i < m_pDoc->GetSpectrumCount(); i++) {
    CSpectrum* pSpectrum = m_pDoc->GetSpectrumAt(i);
    if (!bApplyToAll && pSpectrum != m_pDoc->GetCurrentSpectrum())
      continue;
    const char* pszMessage = nullptr;
    if (!ApplyWindowToSpectrum(*pSpectrum, bInteractive, m_fPhase0, m_fPhase1, &pszMessage)) {
      if (bAll && ppszMessage != nullptr)
        *ppszMessage = pszMessage;
      bAll = FALSE;
    }
  }
  return bAll;
}

bool CApodizeSession::Holds(const CSpectrum* pSpectrum) const {
  for (int i = 0; i < m_pDoc->GetSpectrumCount(); i++)
    if (m_pDoc->GetSpectrumAt(i) == pSpectrum)
      return true;
  return false;
}

void CApodizeSession::Restore(std::vector<Copy>& copies, bool bData) {
  for (Copy& copy : copies) {
    if (!Holds(copy.pSpectrum))
      continue;
    CSpectrum& spectrum = *copy.pSpectrum;
    float* pBuffer = bData ? spectrum.m_pData : spectrum.m_pWeighted;
    if (pBuffer == nullptr || copy.values.empty() || (size_t)spectrum.m_paramsA.td != copy.values.size())
      continue;
    std::memcpy(pBuffer, copy.values.data(), sizeof(float) * copy.values.size());
    if (bData) {
      spectrum.m_dPhase0 = copy.dPhase0;
      spectrum.m_dPhase1 = copy.dPhase1;
      spectrum.m_bDataChanged = 1;
    }
  }
  copies.clear();
}

void CApodizeSession::Accept() {
  m_Data.clear();
  Restore(m_Weighted, false);
}

void CApodizeSession::Cancel() {
  Restore(m_Data, true);
  Restore(m_Weighted, false);
}
