// Bruker Aspect 2000/3000 2D files: header and data in one file of 24-bit
// words, each stored as three bytes in one of two byte orders.
//
//   offset  size    content
//   0       3       magic: 47 84 F5 most significant byte first; F5 84 47
//                   least significant first (3D FB 00 is an Aspect file in an
//                   order with no known layout)
//   129     3       c, data words a row (signed; its absolute value in the
//                   first order)
//   159     6       spectral width, Hz (6-byte real)
//   231     6       spectrometer frequency, MHz (6-byte real)
//   768     3 c d   d rows of c signed 24-bit words, d = (size - 768) / 3 / c
//
// Both dimensions take the same width and frequency; f2 has c / 2 complex
// points, f1 the d rows.
#pragma once

#include "framework/base/WinTypes.h"

class CNdImportLog;
class CSpectrum2D;

// The 6-byte real, bytes in the most-significant-first order: exponent
// e = (signed b3) x 8 + (b4 >> 5); mantissa m = b0 / 2^7 + b1 / 2^15 +
// b2 / 2^23 + (b4 & 0x3F) / 2^28 + b5 / 2^36, less 2 when above 1; the
// value is m x 2^e. (Bit 5 of b4 counts in both.)
double NdAspectReal(const BYTE* six);

// Whether three bytes are one of the Aspect magic words (any of the three).
bool NdIsAspectMagic(const BYTE* p);

// A new set from the file at path, or null with the reason in the log.
CSpectrum2D* ReadAspect(LPCSTR path, CNdImportLog& log);
