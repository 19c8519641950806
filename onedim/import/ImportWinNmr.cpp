#include "onedim/import/ImportWinNmr.h"

#include "onedim/import/BrukerParams.h"
#include "onedim/import/ImportPath.h"
#include "onedim/import/ImportTarget.h"
#include "onedim/model/SpectrumParams.h"

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
    BOOL bProcs = FALSE;
    if (!ReadFidParameters(params, nullptr, bProcs))
      return FALSE;
    if (!bProcs)
      m_target.SetImportError("Cannot open procs file: the spectrum will not be refereneced");
    ConvertProcsOffset(params, 0.0);
  }
  CFile fid;
  if (!OpenFid(fid, params))
    return FALSE;
  // The PC's own floats, whatever the acqus says about byte order.
  return AddFidSpectrum(params, fid, 0, brukerWordFloat32, FALSE, TRUE);
}

BOOL CWinNmrImporter::ImportProcessed(CSpectrumParams& params, BOOL bArchive) {
  History("Selected file corresponds to a processed spectrum");
  CFile real, imag;
  BOOL bImaginary = FALSE;
  if (!OpenProcessedPair(real, imag, bImaginary))
    return FALSE;
  if (bArchive) {
    params.byteorder = 0;
    LogProcessedOrder("PC", 0);
  } else {
    // Without the archive the size comes from procs, as for XWIN-NMR; the
    // acquisition's byte order says nothing of WinNMR's floats.
    if (!ReadProcessedParameters(params, FALSE))
      return FALSE;
  }
  if (!CheckSize(params))
    return FALSE;
  if (!bArchive)
    ConvertProcsOffset(params, params.td);
  return AddProcessedSpectrum(params, real, bImaginary ? &imag : nullptr, brukerWordFloat32, params.byteorder == 1);
}
