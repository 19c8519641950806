// GE/Nicolet (NT, QE, GN) FIDs (import type 5): header and data in one file
// of 20-bit words, packed two to five bytes:
//   even word n at byte n x 5 / 2:  B0 B1 B2(high nibble)
//   odd word n at byte n x 5 / 2:   B2(low nibble) B3 B4   (B2 is shared)
// Reals are two words: a 30-bit fraction and an exponent.
//
//   word 0            layout: 11378, 12818 or 57923
//   words (by layout) spectral width (Hz), acquisition time (us), frequency (MHz)
//   byte 1280         td packed words: the td / 2 real parts, then the td / 2
//                     imaginary parts
#pragma once

#include <cstddef>

#include "framework/base/WinTypes.h"
#include "onedim/import/FixedImporter.h"

// Word nIndex of a byte buffer of nSize bytes: mode 0 packed 20-bit words,
// mode 1 the low 20 bits of big-endian 32-bit words; sign-extended from bit
// 19. Other modes give 0. FALSE (and 0) when the word lies past the end.
BOOL ReadNicoletWord(const BYTE* pBytes, std::size_t nSize, int nIndex, int nMode, int& nWord);
// The real of words nIndex and nIndex + 1 (mode 0). FALSE past the end.
BOOL ReadNicoletReal(const BYTE* pBytes, std::size_t nSize, int nIndex, double& dValue);
// The real that the two words w1, w2 stand for.
double NicoletReal(int w1, int w2);
// Bytes that nCount packed words occupy.
std::size_t NicoletPackedSize(std::size_t nCount);
// Unpacks nCount consecutive packed words from the start of pBytes, which
// holds NicoletPackedSize(nCount) bytes.
void UnpackNicoletWords(const BYTE* pBytes, int* pValues, std::size_t nCount);

class CNicoletImporter : public CFixedImporter {
 public:
  explicit CNicoletImporter(CImportTarget& target) : CFixedImporter(target) {}

 protected:
  BOOL DoImport() override;
};
