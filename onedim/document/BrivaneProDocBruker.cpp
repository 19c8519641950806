// The document's side of the Bruker importers (types 0 and 2) and of the
// missing-parameter question that they ask.
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/document/ImportBruker.h"
#include "onedim/document/ImportTarget.h"
#include "onedim/document/ImportWinNmr.h"
#include "onedim/document/MissingParameters.h"

namespace {

// The importers fill the document through this.
class CDocImportTarget : public CImportTarget {
 public:
  explicit CDocImportTarget(CBrivaneProDoc& doc) : m_doc(doc) {}

  void AppendHistory(LPCSTR lpszLine) override { m_doc.GetHistory().AddLine(lpszLine); }
  void SetImportError(LPCSTR lpszText) override { m_doc.GetAppState().m_strOpenFailure = lpszText; }
  BOOL CheckMissingParameters(CSpectrumParams& params) override {
    return m_doc.CheckMissingParameters(params);
  }
  CSpectrum* AddSpectrum(const CSpectrumParams& params, BOOL bAtEnd) override {
    CSpectrum* pSpectrum = m_doc.AddSpectrum(params, bAtEnd);
    if (pSpectrum != nullptr)
      m_doc.SetCurrentSpectrum(pSpectrum);
    return pSpectrum;
  }
  void SetSpectrumCount(int nCount) override { m_doc.m_nSpectra = nCount; }

 private:
  CBrivaneProDoc& m_doc;
};

}  // namespace

BOOL CBrivaneProDoc::CheckMissingParameters(CSpectrumParams& params) {
  return ::CheckMissingParameters(params, m_pMissingPolicy);
}

BOOL CBrivaneProDoc::ImportBruker(LPCSTR pszPath) {
  CDocImportTarget target(*this);
  CBrukerImporter importer(target);
  return importer.Import(pszPath);
}

BOOL CBrivaneProDoc::ImportWinNmr(LPCSTR pszPath) {
  CDocImportTarget target(*this);
  CWinNmrImporter importer(target);
  return importer.Import(pszPath);
}
