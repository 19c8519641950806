// The 1D view's repaint of a 64K-point spectrum 1280 pixels wide, whole and
// zoomed: the visible points are read once, in one pass, whatever the zoom,
// and the lines handed to GDI follow the pixel width. Reports visible points
// per second and segments per repaint; beside it the former columns (the
// second speed round's) and those before them, in the same run.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

#include "bench/bench_times.h"
#include "bench/former_trace.h"
#include "onedim/model/Spectrum.h"
#include "onedim/plot/SpectrumTrace.h"

namespace {

const int kPoints = 65536;
const int kWidth = 1280;

std::unique_ptr<CSpectrum> Spectrum() {
  CSpectrumParams params;
  params.td = 2 * kPoints;
  auto s = std::make_unique<CSpectrum>(params);
  s->m_pData = CSpectrum::AllocateFloats(params.td);
  for (int i = 0; i < params.td; i++)
    s->m_pData[i] = (float)(1000.0 / (1.0 + std::pow((i - 40000) * 0.01, 2)) + std::cos(i * 0.37) * 5.0);
  s->FindMaximum();
  s->m_nRightPixel = kWidth;
  s->m_rectPlot = {0, 0, kWidth, 800};
  return s;
}

// range(0): the visible share of the data, in 1/16ths.
template <typename Build>
void RunViewPaint(benchmark::State& state, Build build) {
  auto s = Spectrum();
  const int nVisible = (int)(2LL * kPoints * state.range(0) / 16) & ~1;
  s->m_nFirst = (2 * kPoints - nVisible) / 2 & ~1;
  s->m_nLast = s->m_nFirst + nVisible;
  TraceDevice screen;
  screen.nVertRes = 1024;
  size_t nSegments = 0;
  for (auto _ : state) {
    const std::vector<POINT> points = build(s->m_pData, MakeTraceMapping(*s, screen, true));
    nSegments = points.size() - 1;
    benchmark::DoNotOptimize(points.data());
  }
  state.SetItemsProcessed(state.iterations() * (nVisible / 2));
  state.counters["segments"] = (double)nSegments;
  state.counters["points"] = nVisible / 2;
}

void BM_ViewPaint(benchmark::State& state) {
  RunViewPaint(state, BuildColumnTrace);
}
void BM_ViewPaintFormer(benchmark::State& state) {
  RunViewPaint(state, former_trace::BuildColumnTrace);
}
void BM_ViewPaintBeforePf2(benchmark::State& state) {
  RunViewPaint(state, former_trace::BuildColumnTraceBeforePf2);
}

BENCHMARK(BM_ViewPaint)->Arg(16)->Arg(8)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ViewPaintFormer)->Arg(16)->Arg(8)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ViewPaintBeforePf2)->Arg(16)->Arg(8)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TimesReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nTime of today's repaint over the former one, and over the one before it\n");
  for (int share : {16, 8, 1}) {
    const std::string arg = "/" + std::to_string(share);
    std::printf("%2d/16 of the spectrum: %5.2f %5.2f\n", share, reporter.Ratio("BM_ViewPaint" + arg, "BM_ViewPaintFormer" + arg),
                reporter.Ratio("BM_ViewPaint" + arg, "BM_ViewPaintBeforePf2" + arg));
  }
  benchmark::Shutdown();
  return 0;
}
