// The importer of Bruker WinNMR data (import type 2): an FID or a processed
// "1r"/"1i" pair of 32-bit floats, with its parameters from the "dis"
// archive beside it or, without one, from acqus and procs as for XWIN-NMR.
#pragma once

#include "onedim/import/ImportBruker.h"

class CWinNmrImporter : public CBrukerImporter {
 public:
  explicit CWinNmrImporter(CImportTarget& target) : CBrukerImporter(target, FALSE) {
    m_pszNoRealPartBuffer = "Cannot allocate memory importing real part";
  }

 protected:
  BOOL DoImport() override;

 private:
  BOOL ImportFid(CSpectrumParams& params, BOOL bArchive);
  BOOL ImportProcessed(CSpectrumParams& params, BOOL bArchive);
};
