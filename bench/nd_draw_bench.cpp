// The GDI side of a full 2D repaint, timed under Wine: the benchmark set of
// nd_plot_bench.cpp drawn into a 1280 x 1024 memory DC in the raster,
// contour and coloured-contour modes. Prints the median of 15 repaints per
// mode in milliseconds.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "bench/bench_nd_set.h"
#include "framework/win/Dc.h"
#include "ndim/plot/Dib.h"
#include "ndim/view/DibSection.h"

int main() {
  std::unique_ptr<CSpectrum2D> set(MakeBenchSet(512, 2048));
  set->m_nPositiveLevels = set->m_nNegativeLevels = 6;
  set->SetPlotRect(CRect(0, 0, 1280, 1024));
  CDC dc;
  CDib dib(1280, 1024, 24);
  CDibSection section(dib);
  if (!dc.CreateCompatibleDC(nullptr) || !section.CreateSection(&dc))
    return 1;
  CSelectGuard bitmap(dc.GetSafeHdc(), section.GetSection());
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  for (UINT mode : {0u, 1u, 4u}) {
    set->m_nDisplayMode = mode;
    std::vector<double> ms;
    for (int i = 0; i < 15; ++i) {
      LARGE_INTEGER t0, t1;
      ::QueryPerformanceCounter(&t0);
      dc.FillSolidRect(0, 0, 1280, 1024, RGB(255, 255, 255));
      set->DrawPlot(&dc);
      ::GdiFlush();
      ::QueryPerformanceCounter(&t1);
      ms.push_back(1000.0 * (t1.QuadPart - t0.QuadPart) / frequency.QuadPart);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("mode %u: median %.1f ms, fastest %.1f ms\n", mode, ms[ms.size() / 2], ms.front());
  }
  return 0;
}
