#include "onedim/import/ByteOrder.h"

void CByteOrder::Reverse32InPlace(BYTE* pGroup) const {
  BYTE b = pGroup[0];
  pGroup[0] = pGroup[3];
  pGroup[3] = b;
  b = pGroup[1];
  pGroup[1] = pGroup[2];
  pGroup[2] = b;
}

DWORD CByteOrder::Reverse32(DWORD dwValue) const {
  return ((dwValue & 0xFFu) << 24) | ((dwValue & 0xFF00u) << 8) | ((dwValue >> 8) & 0xFF00u) |
         ((dwValue >> 24) & 0xFFu);
}

DWORD CByteOrder::Reverse16(DWORD dwValue) const {
  const DWORD b0 = dwValue & 0xFFu;
  const DWORD b1 = (dwValue >> 8) & 0xFFu;
  return (b0 << 24) | (b1 << 16);
}
