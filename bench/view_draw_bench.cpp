// The GDI side of the 1D view's repaint, timed under Wine: a 64K-point
// spectrum drawn by DrawSpectrum into a 1280 x 1024 memory DC, whole and
// zoomed to an eighth and a sixteenth; then the redraw after a transform of
// a 256K-point spectrum, its display data found again and its scale drawn.
// Prints the median of 15 repaints.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "framework/win/Dc.h"
#include "framework/win/GdiObject.h"
#include "onedim/model/AxisScale.h"
#include "onedim/model/Spectrum.h"
#include "onedim/view/SpectrumDraw.h"

int main() {
  const int nFloats = 2 * 65536;
  CSpectrumParams params;
  params.td = nFloats;
  CSpectrum s(params);
  s.m_pData = CSpectrum::AllocateFloats(nFloats);
  for (int i = 0; i < nFloats; i++)
    s.m_pData[i] = (float)(1000.0 / (1.0 + std::pow((i - 40000) * 0.01, 2)) + std::cos(i * 0.37) * 5.0);
  s.FindMaximum();
  s.m_nLeftPixel = 0;
  s.m_nRightPixel = 1280;
  s.m_rectPlot = {0, 0, 1280, 900};
  s.m_bShowScale = 0;
  CDC dc;
  CBitmap bitmap;
  CDC screen;
  screen.Attach(::GetDC(nullptr));
  if (!dc.CreateCompatibleDC(&screen) || !bitmap.CreateCompatibleBitmap(&screen, 1280, 1024))
    return 1;
  CSelectGuard selected(dc, &bitmap);
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  for (int nShare : {16, 2, 1}) {
    const int nVisible = nFloats / 16 * nShare;
    s.m_nFirst = (nFloats - nVisible) / 2 & ~1;
    s.m_nLast = s.m_nFirst + nVisible;
    std::vector<double> ms;
    for (int i = 0; i < 15; ++i) {
      LARGE_INTEGER t0, t1;
      ::QueryPerformanceCounter(&t0);
      dc.FillSolidRect(0, 0, 1280, 1024, RGB(255, 255, 255));
      DrawSpectrum(s, &dc);
      ::GdiFlush();
      ::QueryPerformanceCounter(&t1);
      ms.push_back(1000.0 * (t1.QuadPart - t0.QuadPart) / frequency.QuadPart);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%d visible points: median %.2f ms, fastest %.2f ms\n", nVisible / 2, ms[ms.size() / 2], ms.front());
  }

  // After a transform: the data-changed byte set before every paint.
  const int nLarge = 262144;
  CSpectrumParams large;
  large.td = nLarge;
  large.sw = 4789.27;
  large.sf = 400.13;
  large.bComplex = 1;
  CSpectrum t(large);
  t.m_pData = CSpectrum::AllocateFloats(nLarge);
  for (int i = 0; i < nLarge; i++)
    t.m_pData[i] = (float)(1e6 / (1.0 + std::pow((i - 160000) * 0.05, 2)) + std::cos(i * 0.37) * 50.0);
  t.m_bTransformed = 1;
  t.m_nFirst = 0;
  t.m_nLast = nLarge;
  t.m_nLeftPixel = 0;
  t.m_nRightPixel = 1280;
  t.m_rectPlot = {0, 0, 1280, 900};
  t.m_bShowScale = 1;
  t.m_Scale.m_nUnits = AXIS_UNITS_PPM;
  t.m_Scale.m_rectClient = {0, 0, 1280, 1024};
  std::vector<double> ms;
  for (int i = 0; i < 15; ++i) {
    LARGE_INTEGER t0, t1;
    ::QueryPerformanceCounter(&t0);
    t.m_bDataChanged = 1;
    t.UpdateDisplayData();
    dc.FillSolidRect(0, 0, 1280, 1024, RGB(255, 255, 255));
    DrawSpectrum(t, &dc);
    ::GdiFlush();
    ::QueryPerformanceCounter(&t1);
    ms.push_back(1000.0 * (t1.QuadPart - t0.QuadPart) / frequency.QuadPart);
  }
  std::sort(ms.begin(), ms.end());
  std::printf("%d floats after a transform, display data found again, scale drawn: median %.2f ms, fastest %.2f ms\n",
              nLarge, ms[ms.size() / 2], ms.front());
  ::ReleaseDC(nullptr, screen.Detach());
  return 0;
}
