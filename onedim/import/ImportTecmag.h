// TECMAG NTNMR FIDs (import type 11): one little-endian file.
//   offset  type          content
//   0       3 bytes       "TNT"
//   20      int32         number of complex points n
//   104     double        spectrometer frequency, MHz
//   200     double        offset frequency y, Hz
//   260     double        half the spectral width x, Hz: sw = 2 x
//   1052    int32         length of the data in bytes; td = length / 4
//   1056    td x float32  the data
// offset = (x + y) n / x.
#pragma once

#include "onedim/import/FixedImporter.h"

class CTecmagImporter : public CFixedImporter {
 public:
  explicit CTecmagImporter(CImportTarget& target) : CFixedImporter(target) {}

 protected:
  BOOL DoImport() override;
  BOOL FailMemory() override;
};
