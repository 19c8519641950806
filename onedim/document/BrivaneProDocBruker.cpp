// The document's side of the Bruker importers (types 0 and 2) and of the
// missing-parameter question that they ask.
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/document/DocImportTarget.h"
#include "onedim/import/ImportBruker.h"
#include "onedim/import/ImportWinNmr.h"
#include "onedim/import/MissingParameters.h"

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
