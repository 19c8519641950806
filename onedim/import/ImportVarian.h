// Varian VXR/Unity FIDs (import type 3): the "fid" file with its "procpar"
// beside it.
//
// procpar: records of a name line, then a line of the value count and the
// values. Used: sfrq (MHz), sw (Hz), rfl and rfp (reference line and peak,
// Hz), np (values per trace) and dp ("y": 32-bit data, else 16-bit).
//
// fid, big-endian:
//   offset  size           content
//   0       32             file header: int32 at 8 the values per trace,
//                          int16 at 26 the status (0x0008: floating point)
//   32      28             header of the first block
//   60      np x 4 or 2    the first trace
#pragma once

#include "framework/base/File.h"
#include "framework/base/WinTypes.h"
#include "onedim/import/FixedImporter.h"

// The values of a procpar that the importer uses; 0 for those not found.
struct CVarianProcpar {
  double sfrq = 0.0;
  double sw = 0.0;
  double rfl = 0.0;
  double rfp = 0.0;
  int np = 0;
  BOOL b32Bit = TRUE;  // dp "y", or no dp record
};

// Scans a procpar: a record name is the first word of its line and matches
// without regard to case ("sfrq" as a prefix, the others exactly); its value
// is the second word of the following line.
void ReadVarianProcpar(CFile& file, CVarianProcpar& procpar);

class CVarianImporter : public CFixedImporter {
 public:
  explicit CVarianImporter(CImportTarget& target) : CFixedImporter(target) {}

 protected:
  BOOL DoImport() override;
  BOOL FailMemory() override;
  // Tells the user that the fid header and procpar disagree, through the
  // target's warning.
  virtual void Warn(LPCSTR lpszText);

 private:
  BOOL OpenProcpar(CFile& file);
};
