// The 1D view's redraw after a Fourier transform of a 256K-point spectrum
// (262,144 floats), 1280 pixels wide: the transform leaves the data-changed
// byte set, so the paint first finds the display data again (the largest
// value over all the data), then builds the trace's pixel columns and the
// scale's ticks. Beside it the same redraw with the display data current,
// as any later repaint has it. Reports floats per second.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "onedim/model/AxisScale.h"
#include "onedim/model/Spectrum.h"
#include "onedim/plot/SpectrumTrace.h"

namespace {

const int kFloats = 262144;
const int kWidth = 1280;

// Twelve Lorentzian lines of a transformed spectrum on noise, complex
// points; its axis in ppm.
std::unique_ptr<CSpectrum> TransformedSpectrum() {
  CSpectrumParams params;
  params.td = kFloats;
  params.sw = 4789.27;
  params.sf = 400.13;
  params.bComplex = 1;
  auto s = std::make_unique<CSpectrum>(params);
  s->m_pData = CSpectrum::AllocateFloats(kFloats);
  std::mt19937 gen(kFloats);
  std::normal_distribution<float> noise(0.0f, 50.0f);
  for (int k = 0; k < kFloats / 2; k++) {
    double re = 0.0, im = 0.0;
    for (int l = 0; l < 12; l++) {
      const double u = (k - (5000.0 + 9800.0 * l)) / (4.0 + l);
      const double a = 1e6 * (1 + l % 4);
      re += a / (1 + u * u);
      im += a * u / (1 + u * u);
    }
    s->m_pData[2 * k] = (float)re + noise(gen);
    s->m_pData[2 * k + 1] = (float)im + noise(gen);
  }
  s->m_bTransformed = 1;
  s->m_nFirst = 0;
  s->m_nLast = kFloats;
  s->m_nLeftPixel = 0;
  s->m_nRightPixel = kWidth;
  s->m_rectPlot = {0, 0, kWidth, 900};
  s->m_Scale.m_nUnits = AXIS_UNITS_PPM;
  s->m_Scale.m_rectClient = {0, 0, kWidth, 1024};
  return s;
}

// The paint's own work: display data when changed, trace, ticks.
size_t Paint(const CSpectrum& s, const TraceDevice& screen) {
  s.UpdateDisplayData();
  const std::vector<POINT> points = BuildColumnTrace(s.m_pData, MakeTraceMapping(s, screen, true));
  const std::vector<AxisTick> ticks = ComputeAxisTicks(s.m_Scale.GetTickInput(s, 0));
  benchmark::DoNotOptimize(points.data());
  benchmark::DoNotOptimize(ticks.data());
  return points.size();
}

// range(0): 1 when the transform has just marked the data changed.
void BM_ViewRedraw(benchmark::State& state) {
  auto s = TransformedSpectrum();
  TraceDevice screen;
  screen.nVertRes = 1024;
  const bool bAfterTransform = state.range(0) != 0;
  s->FindMaximum();
  size_t nPoints = 0;
  for (auto _ : state) {
    if (bAfterTransform)
      s->m_bDataChanged = 1;
    nPoints = Paint(*s, screen);
  }
  state.SetItemsProcessed(state.iterations() * kFloats);
  state.counters["trace_points"] = (double)nPoints;
}

BENCHMARK(BM_ViewRedraw)->ArgName("after_transform")->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

}  // namespace
BENCHMARK_MAIN();
