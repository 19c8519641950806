// Varian Gemini/VXR data written by VHELPER (import type 6): the chosen data
// file of 32-bit big-endian signed integers from its first byte, and
// "ACQPAR" in its folder. ACQPAR records are a 6-byte name, a 4-byte word
// and a 4-byte little-endian IEEE float:
//   record at  value at  content
//   48         58        spectral width, Hz
//   80         90        points; td is twice its integer part
//   784        794       spectrometer frequency, MHz, when named "SFRQ"
//   800        810       spectrometer frequency otherwise
#pragma once

#include "onedim/import/FixedImporter.h"

class CVhelperImporter : public CFixedImporter {
 public:
  explicit CVhelperImporter(CImportTarget& target) : CFixedImporter(target) {}

 protected:
  BOOL DoImport() override;
};
