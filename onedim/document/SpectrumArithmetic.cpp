#include "onedim/document/BrivaneProDocTools.h"

#include "onedim/model/Spectrum.h"

BOOL CSpectrumArithmetic::Combine(int nMode, const char** ppszMessage) {
  if (m_pA == nullptr || m_pB == nullptr || m_pResult == nullptr || m_pA->m_pData == nullptr ||
      m_pB->m_pData == nullptr || m_pResult->m_pData == nullptr)
    return FALSE;
  // The result is written in place: a shorter one would be overrun.
  if (m_pA->m_paramsA.td != m_pB->m_paramsA.td || m_pResult->m_paramsA.td < m_pA->m_paramsA.td) {
    if (ppszMessage != nullptr)
      *ppszMessage = "Different number of points";
    return FALSE;
  }
  const float fSign = nMode == Subtract ? -1.0f : 1.0f;
  const float* a = m_pA->m_pData;
  const float* b = m_pB->m_pData;
  float* r = m_pResult->m_pData;
  for (int i = 0; i < m_pA->m_paramsA.td; i++)
    r[i] = a[i] * m_fFactorA + fSign * (b[i] * m_fFactorB);
  m_pResult->m_bDataChanged = 1;
  return TRUE;
}

void CSpectrumArithmetic::SelectNext(CSpectrum*& pOperand, CSpectrum* const* ppSpectra, int nCount) const {
  int nAt = -1;
  for (int i = 0; i < nCount && nAt < 0; i++)
    if (ppSpectra[i] == pOperand)
      nAt = i;
  if (nAt < 0)
    return;
  nAt = (nAt + 1) % nCount;
  if (ppSpectra[nAt] == m_pResult)
    nAt = (nAt + 1) % nCount;
  pOperand = ppSpectra[nAt];
}
