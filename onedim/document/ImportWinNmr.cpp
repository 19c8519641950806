#include "onedim/document/ImportWinNmr.h"

#include <memory>

#include "onedim/document/BrukerParams.h"
#include "onedim/document/ImportPath.h"
#include "onedim/document/ImportTarget.h"
#include "onedim/document/Spectrum.h"
#include "onedim/document/SpectrumParams.h"

namespace {

BOOL IsMissing(const CSpectrumParams& params, LPCSTR lpszKey) {
  CString strDescription;
  return params.names.Lookup(lpszKey, strDescription);
}

}  // namespace

BOOL CWinNmrImporter::DoImport() {
  CSpectrumParams params;
  History("Starting traslation for " + m_strPath + " Bruker XWIN-NMR/UXNMR data type");

  // The archive holds everything; without it the XWIN-NMR files are read.
  CFile archive;
  CString strStem = GetPathUpToLastDot(m_strPath);
  const BOOL bArchive = !strStem.IsEmpty() && OpenImportFile(archive, strStem + "dis");
  if (bArchive) {
    ReadWinNmrDis(params, archive);
    params.title = "Untitled";
  } else {
    ReadTitle(params);
  }
  if (IsProcessedPath())
    return ImportProcessed(params, bArchive);
  return ImportFid(params, bArchive);
}

BOOL CWinNmrImporter::ImportFid(CSpectrumParams& params, BOOL bArchive) {
  if (!bArchive) {
    History("Selected file corresponds to an FID");
    CFile acqus;
    if (!OpenFidAcqus(acqus))
      return FALSE;
    History("Acqus file correctly opened");
    History("ok");
    ReadBrukerAcqus(params, acqus);
    const int nAcqusTd = params.td;
    const BOOL bAcqusGaveTd = !IsMissing(params, "td");
    CFile procs;
    if (OpenFidProcs(procs)) {
      History("Procs file correctly opened");
      ReadBrukerProcs(params, procs);
      KeepAcqusSize(params, nAcqusTd, bAcqusGaveTd);
      if (!m_target.CheckMissingParameters(params)) {
        History("Importing aborted");
        return FALSE;
      }
    } else {
      m_target.SetImportError("Cannot open procs file: the spectrum will not be refereneced");
    }
    // WinNMR keeps the procs OFFSET as it stands.
    if (IsMissing(params, "offset"))
      params.offset = 0.0;
  }

  History("Attempting to open file " + m_strPath + "...");
  CFile fid;
  if (!OpenImportFile(fid, m_strPath)) {
    m_target.SetImportError("Error opening the fid");
    History("error");
    return FALSE;
  }
  History("ok");
  if (!CheckSize(params))
    return FALSE;

  // The PC's own floats, whatever the acqus says about byte order.
  std::unique_ptr<float[]> data(CSpectrum::AllocateFloats(params.td));
  if (!data)
    return Fail("Memory exhausted. \nImporting aborted");
  if (!ReadBrukerWords(fid, 0, params.td, brukerWordFloat32, FALSE, data.get(), 1))
    return Fail("error opening FID. \nNumber of points different from expected");
  return AddFilledSpectrum(params, data.release(), TRUE);
}

BOOL CWinNmrImporter::ImportProcessed(CSpectrumParams& params, BOOL bArchive) {
  History("Selected file corresponds to a processed spectrum");
  CFile real, imag;
  if (!OpenProcessedPair(real, imag))
    return FALSE;
  if (!bArchive) {
    // Without the archive the size comes from procs, as for XWIN-NMR.
    if (!ReadProcessedParameters(params))
      return FALSE;
    if (IsMissing(params, "offset"))
      params.offset = 0.0;
  }
  if (!CheckSize(params))
    return FALSE;
  return AddProcessedSpectrum(params, real, imag, brukerWordFloat32, FALSE);
}
