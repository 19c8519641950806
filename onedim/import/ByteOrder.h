// Byte reversal for the importers of big-endian data (Varian, GE/Nicolet,
// Nuts, SwaN-MR, SIEMENS). The program runs on little-endian processors, so
// a word of such a file, loaded as it is stored, needs its bytes reversed.
#pragma once

#include "framework/base/WinTypes.h"

class CByteOrder {
 public:
  CByteOrder() = default;
  virtual ~CByteOrder() = default;

  // Exchanges bytes 0 and 3 and bytes 1 and 2 of a 4-byte group (a float).
  void Reverse32InPlace(BYTE* pGroup) const;
  // The value with its four bytes in the opposite order.
  DWORD Reverse32(DWORD dwValue) const;
  // The byte-reversed 16-bit number in the upper half of the word: read as a
  // signed 32-bit integer it is the 16-bit sample times 65536.
  DWORD Reverse16(DWORD dwValue) const;
};
