// The document's side of the add/subtract bar: the spectra prepared for it,
// and what the bar's buttons and bars do to the operands.
#include <cmath>
#include <cstring>
#include <new>
#include <vector>

#include "framework/base/Exception.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/model/AxisScale.h"
#include "onedim/model/Spectrum.h"

BOOL CBrivaneProDoc::PrepareArithmetic(float& fBaseScale) {
  if (GetSpectrumCount() < 2 || m_pCurrent == nullptr) {
    m_pHost->ShowMessage("You need at least two spectra\nOpen an additional spectrum", MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
  }
  // Every spectrum at one height, with its data kept for the shift.
  float fLargest = 0.0f;
  fBaseScale = 0.0f;
  m_Arithmetic.m_keptFloats.clear();
  for (int i = 0; i < GetSpectrumCount(); i++) {
    CSpectrum* s = GetSpectrumAt(i);
    s->Normalize();
    s->FindMaximum();
    fLargest = std::fmax(fLargest, s->m_fMaxValue);
    fBaseScale = std::fmax(fBaseScale, s->m_fVerticalScale);
    const int td = s->m_pData != nullptr ? s->m_paramsA.td : 0;
    float* pKept = td > 0 ? CSpectrum::AllocateFloats(td) : nullptr;
    if (pKept != nullptr) {
      std::memcpy(pKept, s->m_pData, sizeof(float) * (size_t)td);
      m_Arithmetic.m_keptFloats[s] = td;
    }
    delete[] s->m_pAux;
    s->m_pAux = pKept;
  }
  // One largest value for all, kept through the bar's own steps until
  // another step changes a spectrum's data.
  m_Arithmetic.m_fCommonLargest = fLargest;
  for (int i = 0; i < GetSpectrumCount(); i++) {
    CSpectrum* s = GetSpectrumAt(i);
    s->m_fMaxValue = fLargest;
    s->m_bDataChanged = 0;
    s->m_fVerticalScale = fBaseScale;
  }

  CSpectrum* pA = m_pCurrent;
  POSITION pos = m_Spectra.Find(pA);
  m_Spectra.GetSpectrum(pos);
  CSpectrum* pB = pos != nullptr ? m_Spectra.GetSpectrum(pos) : static_cast<CSpectrum*>(m_Spectra.GetHead());
  CSpectrum* pResult = nullptr;
  try {
    pResult = new CSpectrum(*pA);
  } catch (CMemoryException* e) {
    e->Delete();
  } catch (const std::bad_alloc&) {
  }
  if (pResult == nullptr) {
    m_pHost->ShowMessage("Memory exhausted", MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
  }
  if (pResult->m_pData != nullptr)
    std::memset(pResult->m_pData, 0, sizeof(float) * (size_t)pResult->m_paramsA.td);
  pResult->m_fVerticalScale = pA->m_fVerticalScale;
  pResult->m_fMaxValue = fLargest;
  pResult->m_bDataChanged = 0;
  m_Spectra.AddTail(pResult);
  m_nSpectra = GetSpectrumCount();
  for (int i = 0; i < GetSpectrumCount(); i++) {
    CAxisScale& scale = GetSpectrumAt(i)->m_Scale;
    scale.SetFloating(true);
    scale.SetPosition(scale.GetPosition() + 10);
  }
  m_Arithmetic.m_pA = pA;
  m_Arithmetic.m_pB = pB;
  m_Arithmetic.m_pResult = pResult;
  m_Arithmetic.m_fFactorA = m_Arithmetic.m_fFactorB = 1.0f;
  SetModified();
  return TRUE;
}

BOOL CBrivaneProDoc::ShiftOperand(int nShift) {
  CSpectrum* s = m_pCurrent;
  if (s == nullptr || (s != m_Arithmetic.m_pA && s != m_Arithmetic.m_pB))
    return FALSE;
  // A copy kept at another size (the data were resized since) is not read.
  const auto kept = m_Arithmetic.m_keptFloats.find(s);
  if (kept == m_Arithmetic.m_keptFloats.end() || kept->second != s->m_paramsA.td)
    return FALSE;
  s->ShiftPoints(s->m_pAux, nShift);
  KeepCommonScale(*s);
  UpdateViews();
  return TRUE;
}

void CBrivaneProDoc::KeepCommonScale(CSpectrum& spectrum) const {
  spectrum.m_bDataChanged = 1;
  spectrum.FindMaximum();
  if (m_Arithmetic.m_fCommonLargest > 0.0f)
    spectrum.m_fMaxValue = m_Arithmetic.m_fCommonLargest;
}

BOOL CBrivaneProDoc::ScaleOperand(float fFactor, float fBaseScale) {
  CSpectrum* s = m_pCurrent;
  // A scale that overflows would leave the trace nowhere to draw.
  if (s == nullptr || (s != m_Arithmetic.m_pA && s != m_Arithmetic.m_pB) || !std::isfinite(fFactor * fBaseScale))
    return FALSE;
  s->m_fVerticalScale = fFactor * fBaseScale;
  (s == m_Arithmetic.m_pA ? m_Arithmetic.m_fFactorA : m_Arithmetic.m_fFactorB) = fFactor;
  UpdateViews();
  return TRUE;
}

BOOL CBrivaneProDoc::CombineOperands(int nMode) {
  const char* pszMessage = nullptr;
  if (!m_Arithmetic.Combine(nMode, &pszMessage)) {
    if (pszMessage != nullptr)
      m_pHost->ShowMessage(pszMessage, MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
  }
  KeepCommonScale(*m_Arithmetic.m_pResult);
  SetModified();
  UpdateViews();
  return TRUE;
}

void CBrivaneProDoc::SelectOperand(BOOL bB) {
  std::vector<CSpectrum*> spectra;
  for (POSITION pos = m_Spectra.GetHeadPosition(); pos != nullptr;)
    spectra.push_back(m_Spectra.GetSpectrum(pos));
  if (spectra.empty())
    return;
  m_Arithmetic.SelectNext(bB ? m_Arithmetic.m_pB : m_Arithmetic.m_pA, spectra.data(), (int)spectra.size());
  UpdateViews();
}
