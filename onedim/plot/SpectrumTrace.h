// Where the points of a spectrum land on a device: the mapping of float
// indices and values to device pixels that the trace, the dots and the
// circles share, and the trace itself reduced to one vertical span per
// pixel column. Portable, so that the geometry is tested without windows.
#pragma once

#include <algorithm>
#include <vector>

#include "framework/base/WinTypes.h"
#include "numerics/Saturate.h"

class CSpectrum;

// The device the spectrum is drawn on.
struct TraceDevice {
  bool bPrinter = false;          // a printer or print preview DC
  bool bMetafile = false;         // the clipboard picture is being drawn
  RECT rcMargins = {0, 0, 0, 0};  // print margins, device units (counted on a printer only)
  int nVertRes = 0;               // VERTRES of the DC
};

struct TraceMapping {
  int nFirst = 0;  // visible float indices, half-open
  int nLast = 0;
  int nBegin = 0;  // the part of the visible range that lies in the data
  int nEnd = 0;
  int xLeft = 0;  // device x of nFirst and of nLast
  int xRight = 0;
  long double y0 = 0;    // the zero line
  long double gain = 0;  // device units per data unit
  bool bClip = false;
  int yTop = 0;  // clip limits
  int yBottom = 0;

  bool IsEmpty() const { return nBegin >= nEnd; }
  int MapX(int i) const {
    return SaturatingInt((long double)xLeft +
                         MulDivRound((long long)xRight - xLeft, (long long)i - nFirst, (long long)nLast - nFirst));
  }
  // Clipped when bClip.
  int MapY(float v) const {
    const int y = SaturatingInt(y0 - gain * (long double)v);
    return bClip ? std::max(yTop, std::min(y, yBottom)) : y;
  }
};

// The mapping of the spectrum's trace (bForTrace: the continuous line, which
// always clips and takes 11250 as the picture's height) or of its dots.
TraceMapping MakeTraceMapping(const CSpectrum& spectrum, const TraceDevice& device, bool bForTrace);

// The continuous trace: element 0 is where the pen moves to, every further
// point is a LineTo. Each pixel column gets one vertical span from the
// lowest to the highest y of the points that fall in it, joined to the next
// column. Reads only the floats nBegin .. nEnd - 1 of pData.
std::vector<POINT> BuildColumnTrace(const float* pData, const TraceMapping& m);
