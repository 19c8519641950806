// Jeol FIDs (import type 4): a data file of td 32-bit little-endian signed
// integers from its first byte, and beside it a text parameter file of the
// same name with the extension "gxp", whose records are a name and a value:
//   FREQU        spectral width, Hz
//   SAMPO, POINT td
//   OBFRQ, OFR   base frequency, MHz
//   OBSET        frequency set, kHz
//   OBFIN        fine frequency, Hz
// (a name matches any word that begins with it, without regard to case).
#pragma once

#include "framework/base/File.h"
#include "onedim/import/FixedImporter.h"

struct CJeolParams {
  double sw = 0.0;
  int td = 0;
  double base = 0.0;   // MHz
  float obset = 0.0f;  // kHz
  float obfin = 0.0f;  // Hz
  // The spectrometer frequency, MHz.
  double Frequency() const { return base + obset * 0.001 + obfin * 0.000001; }
};

void ReadJeolParams(CFile& file, CJeolParams& jeol);

class CJeolImporter : public CFixedImporter {
 public:
  explicit CJeolImporter(CImportTarget& target) : CFixedImporter(target) {}

 protected:
  BOOL DoImport() override;
  BOOL FailMemory() override;
};
