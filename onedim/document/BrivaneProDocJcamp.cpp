// The document's side of the JCAMP-DX importer (type 8). The dispatcher
// shows the wait window around it and the failure message after it.
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/document/ImportJcamp.h"
#include "onedim/document/ImportTarget.h"

namespace {

// The importer fills the document through this.
class CJcampDocTarget : public CImportTarget {
 public:
  explicit CJcampDocTarget(CBrivaneProDoc& doc) : m_doc(doc) {}

  void AppendHistory(LPCSTR lpszLine) override { m_doc.GetHistory().AddLine(lpszLine); }
  void SetImportError(LPCSTR lpszText) override { m_doc.GetAppState().m_strOpenFailure = lpszText; }
  // A JCAMP-DX file is taken as it is: nothing is asked.
  BOOL CheckMissingParameters(CSpectrumParams&) override { return TRUE; }
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

BOOL CBrivaneProDoc::ImportJcamp(LPCSTR pszPath) {
  CJcampDocTarget target(*this);
  CJcampImporter importer(target);
  return importer.Import(pszPath);
}
