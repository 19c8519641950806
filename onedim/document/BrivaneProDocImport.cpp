// The import dispatcher: a file is tried as the program's own document
// first, then read by the importer of the import file type the user chose.
#include "onedim/document/BrivaneProDoc.h"

namespace {

const char kNotBuilt[] = "This file type cannot be imported yet";

}  // namespace

ImportResult CBrivaneProDoc::ImportFile(LPCSTR pszPath) {
  CBrivaneAppState& app = GetAppState();
  app.m_strOpenFailure.Empty();

  // The native probe is silent: a foreign file only fails its magic.
  if (ReadNativeFile(pszPath))
    return importNative;
  app.m_strOpenFailure.Empty();

  int nType = app.m_nImportType;
  if (nType == CBrivaneAppState::ImportTypeNative)
    return ReadNativeFile(pszPath) ? importNative : importFailed;

  PFNIMPORTER pfnImport = GetImporter(nType);
  if (pfnImport == nullptr) {
    app.m_strOpenFailure = kNotBuilt;
    return importFailed;
  }
  const int kJcamp = 8;
  if (nType == kJcamp)
    m_pHost->ShowImportWait(TRUE);
  BOOL bResult = (this->*pfnImport)(pszPath);
  if (nType == kJcamp) {
    m_pHost->ShowImportWait(FALSE);
    if (!bResult)
      m_pHost->ShowMessage("Failed to import JCAMP-DX file\nCheck the history window", MB_OK);
  }
  return bResult ? importForeign : importFailed;
}
