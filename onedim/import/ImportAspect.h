// Bruker Aspect 2000/3000 data files (import type 1): header and FID in one
// file. The Aspect stored 24-bit words; the file holds them as 3-byte groups
// in either byte order, its reals as 48-bit values of two such words.
//
//   offset  size    content
//   0       3       magic word: 4784F5 big-endian words, F58447 little-endian
//   129     3       number of data values td, unsigned
//   159     6       spectral width, Hz (real)
//   166     3       acquisition mode: 1 gives aqmode 1, any other value 0
//   231     6       spectrometer frequency, MHz (real)
//   238     3       complex flag: non-zero for complex data
//   471     6       frequency offset x, Hz: offset = -td x / sw
//   768     3 x td  the FID: signed 24-bit integers
#pragma once

#include "framework/base/WinTypes.h"
#include "onedim/import/FixedImporter.h"

// The 48-bit real of six bytes in big-endian word order: an 11-bit exponent
// (b3 and the top three bits of b4) and a two's-complement fraction of 24 +
// 14 bits (b0 to b2, then the low six bits of b4 and b5).
double ReadAspectReal(const BYTE* pSix);
// Reverses each of the two 3-byte groups in place (little-endian words to
// big-endian ones).
void ReverseAspectWords(BYTE* pSix);
// The signed 24-bit integer of one 3-byte group.
int ReadAspectWord(const BYTE* pThree, BOOL bLittleEndian);

class CAspectImporter : public CFixedImporter {
 public:
  explicit CAspectImporter(CImportTarget& target) : CFixedImporter(target) {}

 protected:
  BOOL DoImport() override;
  BOOL FailMemory() override;
};
