// The nD program's own file (.bv2): one 2D data set, little-endian, no padding.
//
// | offset | size | field                                               |
// |--------|------|-----------------------------------------------------|
// | 0      | 4    | magic "bvxn"                                        |
// | 4      | 2    | int16 last dimension index (2)                      |
// | 6      | 2    | int16 real flag: 0 complex, any other value real    |
// | 8      | 28   | DimensionBlock of f1                                |
// | 36     | 28   | DimensionBlock of f2                                |
// | 64     | n    | data: f1 x f2 points, float32 (re, im) pairs when   |
// |        |      | complex, one float32 per point when real            |
//
// DimensionBlock: int32 points, float32 first-point offset, float32 spectral
// width (Hz), float32 last-point frequency (Hz), float32 spectrometer
// frequency (MHz), int32 acquisition mode, int32 indirect mode.
//
// The hypercomplex factor is not stored: a set split into hypercomplex halves
// is written whole, and reads back as its first half (f1 x f2 points); what
// follows the f1 x f2 points is not read.
#pragma once

#include <cstddef>
#include <vector>

#include "framework/base/String.h"
#include "framework/base/WinTypes.h"

class CSpectrum2D;

class CBv2File {
 public:
  enum { HeaderSize = 64 };

  // A new set from a whole file image, or null with the reason.
  static CSpectrum2D* Parse(const BYTE* data, std::size_t size, CString& error);
  // The file image of a set; false with the reason when it cannot be stored.
  static bool Format(const CSpectrum2D& set, std::vector<BYTE>& image, CString& error);

  // The same on disk. File errors come back as the reason, never as exceptions.
  static CSpectrum2D* Read(LPCSTR path, CString& error);
  static bool Write(LPCSTR path, const CSpectrum2D& set, CString& error);
};
