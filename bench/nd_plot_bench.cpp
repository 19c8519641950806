// The 2D plots' geometry for a full repaint: a 2048 x 512 set (peaks on
// noise) into 1280 x 1024 pixels, contoured at 2 x 6 levels and rastered.
// The GDI drawing of the same repaint is timed under Wine by
// nd_draw_bench.exe (nd_draw_bench.cpp).
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "ndim/data/Spectrum2D.h"
#include "ndim/plot/ContourPlot.h"
#include "ndim/plot/RasterPlot.h"
#include "bench/bench_nd_set.h"

namespace {

struct CountingSink : CContourSink {
  long long points = 0;
  void Segments(int, const POINT*, int n) override { points += n; }
};

void BM_Contour(benchmark::State& state) {
  std::unique_ptr<CSpectrum2D> set(MakeBenchSet(512, 2048));
  const NdMatrix m = MatrixOf(*set);
  const NdWindow w = ClampWindow(set->m_zoom, m);
  const RECT dest = {0, 0, 1280, 1024};
  long long segments = 0;
  for (auto _ : state) {
    CountingSink sink;
    TraceContours(m, w, dest, 6, 500.0f, 2.0f, sink);
    TraceContours(m, w, dest, 6, -500.0f, 2.0f, sink);
    segments = sink.points / 2;
  }
  state.SetItemsProcessed(state.iterations() * 2048LL * 512);
  state.counters["segments"] = static_cast<double>(segments);
}

void BM_Raster(benchmark::State& state) {
  std::unique_ptr<CSpectrum2D> set(MakeBenchSet(512, 2048));
  const NdMatrix m = MatrixOf(*set);
  const NdWindow w = ClampWindow(set->m_zoom, m);
  const SIZE size = RasterBitmapSize(w, 1280, 1024);
  std::vector<BYTE> bits(static_cast<size_t>(RasterRowBytes(size.cx)) * size.cy);
  const RasterPalette palette = {set->m_red, set->m_green, set->m_blue};
  const CRasterScale scale(500.0f, 2.0f);
  for (auto _ : state) {
    FillRaster(m, w, scale, palette, bits.data(), size.cx, size.cy);
    benchmark::DoNotOptimize(bits.data());
  }
  state.SetItemsProcessed(state.iterations() * size.cx * size.cy);
}

BENCHMARK(BM_Contour)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Raster)->Unit(benchmark::kMillisecond);

}  // namespace
BENCHMARK_MAIN();
