#include "onedim/plot/SpectrumTrace.h"

#include <algorithm>
#include <cmath>

#include "onedim/model/Spectrum.h"
#include "numerics/Saturate.h"

int TraceMapping::MapX(int i) const {
  return SaturatingInt((long double)xLeft +
                       MulDivRound((long long)xRight - xLeft, (long long)i - nFirst, (long long)nLast - nFirst));
}

int TraceMapping::MapY(float v) const {
  int y = SaturatingInt(y0 - gain * (long double)v);
  if (bClip)
    y = std::max(yTop, std::min(y, yBottom));
  return y;
}

TraceMapping MakeTraceMapping(const CSpectrum& s, const TraceDevice& device, bool bForTrace) {
  TraceMapping m;
  const int nXOffset = device.bPrinter ? device.rcMargins.left : 0;
  const int nTopOffset = device.bPrinter ? device.rcMargins.top : 0;
  const int nBottomOffset = device.bPrinter ? device.rcMargins.bottom : 0;

  m.nFirst = s.m_nFirst;
  m.nLast = s.m_nLast;
  // Only the floats that exist are read, whatever range a file gave.
  m.nBegin = std::max(s.m_nFirst, 0);
  m.nEnd = s.m_pData != nullptr ? std::min(s.m_nLast, s.m_paramsA.td) : 0;

  m.xLeft = SaturatingInt(nXOffset + (long double)s.m_nLeftPixel * s.m_dPrintScaleX);
  m.xRight = SaturatingInt(nXOffset + (long double)s.m_nRightPixel * s.m_dPrintScaleX);

  const long double mid = ((long long)s.m_rectPlot.top + s.m_rectPlot.bottom) / 2;
  m.y0 = mid * s.m_dPrintScaleY + nTopOffset;
  long double normaliser = std::fabs(s.m_fMaxValue);
  if (!(normaliser >= 1e-11L))
    normaliser = 1.0L;
  m.gain =
      (long double)s.m_dPrintScaleY * ((long double)s.m_fVerticalScale * (long double)s.m_fIntensityStep / normaliser);

  const bool bPaper = device.bPrinter || device.bMetafile;
  m.bClip = bForTrace || bPaper;
  const int nHeight = bForTrace && device.bMetafile ? 11250 : device.nVertRes;
  m.yTop = nTopOffset + 5;
  m.yBottom = nHeight - nBottomOffset;
  return m;
}

std::vector<POINT> BuildColumnTrace(const float* pData, const TraceMapping& m) {
  std::vector<POINT> points;
  if (pData == nullptr || m.IsEmpty() || m.nLast <= m.nFirst)
    return points;
  auto flush = [&points](int x, int yLow, int yHigh) {
    POINT a = {x, yLow};
    POINT b = {x, yHigh};
    points.push_back(a);
    if (yHigh != yLow)
      points.push_back(b);
  };
  int nColumn = m.MapX(m.nBegin);
  int yLow = m.MapY(pData[m.nBegin]);
  int yHigh = yLow;
  for (int i = m.nBegin + 2; i < m.nEnd; i += 2) {
    const int x = m.MapX(i);
    const int y = m.MapY(pData[i]);
    if (x == nColumn) {
      yLow = std::min(yLow, y);
      yHigh = std::max(yHigh, y);
      continue;
    }
    flush(nColumn, yLow, yHigh);
    nColumn = x;
    yLow = yHigh = y;
  }
  flush(nColumn, yLow, yHigh);
  return points;
}
