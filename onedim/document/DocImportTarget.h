// The document as the importers fill it: history lines, the open-failure
// text, the missing-parameter question and new spectra, which become the
// current one.
#pragma once

#include "onedim/document/BrivaneProDoc.h"
#include "onedim/import/ImportTarget.h"

class CDocImportTarget : public CImportTarget {
 public:
  explicit CDocImportTarget(CBrivaneProDoc& doc) : m_doc(doc) {}

  void AppendHistory(LPCSTR lpszLine) override { m_doc.GetHistory().AddLine(lpszLine); }
  void SetImportError(LPCSTR lpszText) override { m_doc.GetAppState().m_strOpenFailure = lpszText; }
  BOOL CheckMissingParameters(CSpectrumParams& params) override { return m_doc.CheckMissingParameters(params); }
  CSpectrum* AddSpectrum(const CSpectrumParams& params, BOOL bAtEnd) override {
    CSpectrum* pSpectrum = m_doc.AddSpectrum(params, bAtEnd);
    if (pSpectrum != nullptr)
      m_doc.SetCurrentSpectrum(pSpectrum);
    return pSpectrum;
  }
  void SetSpectrumCount(int nCount) override { m_doc.m_nSpectra = nCount; }
  void ShowWarning(LPCSTR lpszText) override { m_doc.GetHost()->ShowMessage(lpszText, MB_OK); }

 private:
  CBrivaneProDoc& m_doc;
};
