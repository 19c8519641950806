// The trace's reduction to pixel columns: the data are read once, and the
// number of line segments handed to GDI follows the pixel width, not the
// number of points. Reports points per second and segments per trace.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "onedim/plot/SpectrumTrace.h"
#include "onedim/model/Spectrum.h"

namespace {

std::unique_ptr<CSpectrum> Spectrum(int nFloats, int nWidth) {
  CSpectrumParams params;
  params.td = nFloats;
  auto s = std::make_unique<CSpectrum>(params);
  s->m_pData = CSpectrum::AllocateFloats(nFloats);
  for (int i = 0; i < nFloats; i++)
    s->m_pData[i] = (float)(std::sin(i * 0.001) * 1000.0 + std::cos(i * 0.37) * 50.0);
  s->FindMaximum();
  s->m_nLast = nFloats;
  s->m_nRightPixel = nWidth;
  s->m_rectPlot = {0, 0, nWidth, 600};
  return s;
}

void BM_ColumnTrace(benchmark::State& state) {
  const int nFloats = (int)state.range(0);
  const int nWidth = (int)state.range(1);
  auto s = Spectrum(nFloats, nWidth);
  TraceDevice screen;
  screen.nVertRes = 1200;
  const TraceMapping m = MakeTraceMapping(*s, screen, true);
  size_t nSegments = 0;
  for (auto _ : state) {
    std::vector<POINT> points = BuildColumnTrace(s->m_pData, m);
    nSegments = points.size() - 1;
    benchmark::DoNotOptimize(points.data());
  }
  state.SetItemsProcessed(state.iterations() * (nFloats / 2));
  state.counters["segments"] = (double)nSegments;
}

BENCHMARK(BM_ColumnTrace)
    ->ArgsProduct({{1 << 14, 1 << 17, 1 << 20, 1 << 23}, {500, 2000}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
BENCHMARK_MAIN();
