// The document's import dispatcher: a file is tried as the program's own
// document first, then read by the importer of the import file type the
// user chose, with the document as the importer's target.
#include <algorithm>
#include <vector>

#include "onedim/document/BrivaneProDoc.h"
#include "onedim/document/DocImportTarget.h"
#include "onedim/import/ImportDispatcher.h"
#include "onedim/import/MissingParameters.h"
#include "onedim/model/Spectrum.h"

namespace {

const char kNotBuilt[] = "This file type cannot be imported yet";

// What making a new spectrum current changes in those already there, to be
// put back when the import that added it fails.
struct CKeptSpectrum {
  CSpectrum* pSpectrum;
  BYTE bShowScale;
  bool bFloating;
  BYTE bPhaseDisplay;
};

}  // namespace

ImportResult CBrivaneProDoc::ImportFiles(const CStringList& paths) {
  std::vector<CKeptSpectrum> kept;
  for (POSITION pos = m_Spectra.GetHeadPosition(); pos != nullptr;) {
    CSpectrum* s = m_Spectra.GetSpectrum(pos);
    kept.push_back({s, s->m_bShowScale, s->m_Scale.IsFloating(), s->m_bPhaseDisplay});
  }
  CSpectrum* const pCurrent = m_pCurrent;
  const int nSpectra = m_nSpectra;
  const BOOL bModified = m_pHost->IsDocumentModified();

  ImportResult result = importFailed;
  for (POSITION pos = paths.GetHeadPosition(); pos != nullptr;) {
    result = ImportFile(paths.GetNext(pos));
    // A file of our own leaves the type chosen for the next one.
    if (pos != nullptr)
      RestoreImportType();
  }
  if (result != importFailed)
    return result;

  // The files read before the one that failed have no window function, no
  // weighted copy and no band yet (the refresh after a good import gives
  // them): they go again.
  auto wasThere = [&](const CSpectrum* s) {
    return std::any_of(kept.begin(), kept.end(), [s](const CKeptSpectrum& k) { return k.pSpectrum == s; });
  };
  m_pCurrent = pCurrent;
  for (POSITION pos = m_Spectra.GetHeadPosition(); pos != nullptr;) {
    const POSITION at = pos;
    CSpectrum* s = m_Spectra.GetSpectrum(pos);
    if (wasThere(s))
      continue;
    m_Spectra.RemoveAt(at);
    Forget(s);
    delete s;
  }
  if (pCurrent != nullptr)
    SetCurrentSpectrum(pCurrent);
  for (const CKeptSpectrum& k : kept) {
    k.pSpectrum->m_bShowScale = k.bShowScale;
    k.pSpectrum->m_Scale.SetFloating(k.bFloating);
    k.pSpectrum->m_bPhaseDisplay = k.bPhaseDisplay;
  }
  m_nSpectra = nSpectra;
  SetModified(bModified);
  UpdateViews();
  return importFailed;
}

ImportResult CBrivaneProDoc::ImportFile(LPCSTR pszPath) {
  CBrivaneAppState& app = GetAppState();
  app.m_strOpenFailure.Empty();
  app.m_bOpenFailureShown = FALSE;

  // The native probe is silent: a foreign file only fails its magic. A
  // damaged .bvx says why in the reader's words; no importer was meant for it.
  BOOL bOwnFile = FALSE;
  if (ReadNativeFile(pszPath, &bOwnFile)) {
    // The caller sees the native type until it puts the user's back.
    app.m_nPreviousImportType = app.m_nImportType;
    app.m_nImportType = CBrivaneAppState::ImportTypeNative;
    return importNative;
  }
  if (bOwnFile)
    return importFailed;
  app.m_strOpenFailure.Empty();

  int nType = app.m_nImportType;
  if (nType == CBrivaneAppState::ImportTypeNative)
    return ReadNativeFile(pszPath) ? importNative : importFailed;

  if (!HasImporter(nType)) {
    app.m_strOpenFailure = kNotBuilt;
    return importFailed;
  }
  // A JCAMP-DX import shows the wait window while it runs; its importer
  // gives its reasons in the history, so a failure is told in a box, the
  // only one: the caller shows no second.
  const bool bJcamp = nType == importTypeJcamp;
  if (bJcamp)
    m_pHost->ShowImportWait(TRUE);
  BOOL bResult = ImportOfType(nType, pszPath);
  if (bJcamp) {
    m_pHost->ShowImportWait(FALSE);
    if (!bResult) {
      m_pHost->ShowMessage("Failed to import JCAMP-DX file\nCheck the history window", MB_OK);
      app.m_bOpenFailureShown = TRUE;
    }
  }
  return bResult ? importForeign : importFailed;
}

void CBrivaneProDoc::RestoreImportType() {
  CBrivaneAppState& app = GetAppState();
  if (app.m_nImportType == CBrivaneAppState::ImportTypeNative)
    app.m_nImportType = app.m_nPreviousImportType;
}

BOOL CBrivaneProDoc::ImportOfType(int nType, LPCSTR pszPath) {
  CDocImportTarget target(*this);
  return ImportFileOfType(nType, target, pszPath);
}

BOOL CBrivaneProDoc::CheckMissingParameters(CSpectrumParams& params) {
  return ::CheckMissingParameters(params, m_pMissingPolicy);
}

BOOL CBrivaneProDoc::ImportBruker(LPCSTR pszPath) {
  return ImportOfType(importTypeBruker, pszPath);
}

BOOL CBrivaneProDoc::ImportAspect(LPCSTR pszPath) {
  return ImportOfType(importTypeAspect, pszPath);
}

BOOL CBrivaneProDoc::ImportWinNmr(LPCSTR pszPath) {
  return ImportOfType(importTypeWinNmr, pszPath);
}

BOOL CBrivaneProDoc::ImportVarian(LPCSTR pszPath) {
  return ImportOfType(importTypeVarian, pszPath);
}

BOOL CBrivaneProDoc::ImportJeol(LPCSTR pszPath) {
  return ImportOfType(importTypeJeol, pszPath);
}

BOOL CBrivaneProDoc::ImportNicolet(LPCSTR pszPath) {
  return ImportOfType(importTypeNicolet, pszPath);
}

BOOL CBrivaneProDoc::ImportVhelper(LPCSTR pszPath) {
  return ImportOfType(importTypeVhelper, pszPath);
}

BOOL CBrivaneProDoc::ImportNuts(LPCSTR pszPath) {
  return ImportOfType(importTypeNuts, pszPath);
}

BOOL CBrivaneProDoc::ImportJcamp(LPCSTR pszPath) {
  return ImportOfType(importTypeJcamp, pszPath);
}

BOOL CBrivaneProDoc::ImportSwanMr(LPCSTR pszPath) {
  return ImportOfType(importTypeSwanMr, pszPath);
}

BOOL CBrivaneProDoc::ImportTecmag(LPCSTR pszPath) {
  return ImportOfType(importTypeTecmag, pszPath);
}

BOOL CBrivaneProDoc::ImportSiemens(LPCSTR pszPath) {
  return ImportOfType(importTypeSiemens, pszPath);
}
