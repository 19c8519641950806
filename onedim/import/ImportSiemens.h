// SIEMENS FIDs (import type 12): a file without parameters. The data are
// 2048 big-endian 32-bit IEEE floats from byte 6144; the spectrum always has
// a spectral width of 1000 Hz at 63.8655 MHz.
#pragma once

#include "onedim/import/FixedImporter.h"

class CSiemensImporter : public CFixedImporter {
 public:
  explicit CSiemensImporter(CImportTarget& target) : CFixedImporter(target) {}

 protected:
  BOOL DoImport() override;
  BOOL FailMemory() override;
};
