// Nuts FIDs and spectra (import type 7): one little-endian file.
//   offset  type            content
//   0       int32           magic 0x04030201
//   384     int32           number of complex points n; td = 2 n
//   388     int32           1: the transform conjugates the data
//   448     float32         spectral width, Hz
//   452     float32         spectrometer frequency, MHz
//   456     float32         frequency of the reference x, Hz
//   1036    td x float32    the data
// offset = td / 2 - x td / sw.
#pragma once

#include "onedim/import/FixedImporter.h"

class CNutsImporter : public CFixedImporter {
 public:
  explicit CNutsImporter(CImportTarget& target) : CFixedImporter(target) {}

 protected:
  BOOL DoImport() override;
  BOOL FailMemory() override;
};
