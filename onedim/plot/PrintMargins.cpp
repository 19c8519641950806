#include "onedim/plot/PrintMargins.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "onedim/plot/PrintSettings.h"

namespace {

int RoundToInt(double d) {
  if (!(d > INT_MIN))  // also NaN
    return d != d ? 0 : INT_MIN;
  return d >= INT_MAX ? INT_MAX : (int)std::lround(d);
}

double Scale(double dScale) {
  return dScale > 0 ? dScale : 1.0;
}

int Rescale(LONG nValue, LONG nFrom, int nTo) {
  return RoundToInt((double)nValue * nTo / nFrom);
}

}  // namespace

RECT MarginLineOffsets(const RECT& rcMargins, const RECT& rcUnprintable, double dScaleX, double dScaleY) {
  const double sx = Scale(dScaleX), sy = Scale(dScaleY);
  RECT rc;
  rc.left = RoundToInt(((double)rcUnprintable.left + rcMargins.left) / sx);
  rc.top = RoundToInt(((double)rcUnprintable.top + rcMargins.top) / sy);
  rc.right = RoundToInt(((double)rcUnprintable.right + rcMargins.right) / sx);
  rc.bottom = RoundToInt(((double)rcUnprintable.bottom + rcMargins.bottom) / sy);
  return rc;
}

int MarginFromLineOffset(int nOffset, int nUnprintable, double dScale) {
  return std::max(RoundToInt(nOffset * Scale(dScale) - nUnprintable), 0);
}

int ClampLineOffset(int nOffset, int nUnprintable, double dScale, int nOppositeOffset, int nPageExtent, int nGap) {
  const int nLowest = (int)std::ceil(std::max(nUnprintable, 0) / Scale(dScale));
  const int nHighest = std::max(nPageExtent - nOppositeOffset - nGap, nLowest);
  return std::min(std::max(nOffset, nLowest), nHighest);
}

void FitMarginsToResolution(CPrintSettings& settings, int nDpiX, int nDpiY) {
  if (nDpiX <= 0 || nDpiY <= 0)
    return;
  SIZE& dpi = settings.sizeMarginDpi;
  RECT& rc = settings.rcMargins;
  if (dpi.cx > 0 && dpi.cx != nDpiX) {
    rc.left = Rescale(rc.left, dpi.cx, nDpiX);
    rc.right = Rescale(rc.right, dpi.cx, nDpiX);
  }
  if (dpi.cy > 0 && dpi.cy != nDpiY) {
    rc.top = Rescale(rc.top, dpi.cy, nDpiY);
    rc.bottom = Rescale(rc.bottom, dpi.cy, nDpiY);
  }
  dpi.cx = nDpiX;
  dpi.cy = nDpiY;
}
